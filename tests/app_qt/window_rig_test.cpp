// The main window driving a simulated IC-735 on a pseudo-terminal: the link the profile
// names opens at start, the band buttons tune the radio, its broadcasts move the frequency
// field, the hex monitor prints the frames, and the marks keys mark and return.
#include <fstream>

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTextEdit>

#include "display/frequency_readout.h"
#include "support/radio_simulators.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/window_harness.h"

namespace vexa::app::qt {
namespace {

struct RadioWindow {
    test::Ic735Radio radio;
    test::TempDir dir;
    ApplicationGlobals globals;

    RadioWindow()
    {
        globals.profileFile = dir.path() / "vexa.ini";
        std::ofstream(globals.profileFile)
            << "[TX1]\nType=1\nComPort=2\nComSpeed=1200\nCom2Device=" << radio.devicePath() << "\n";
    }
};

QString fieldText(CMainWindow& w)
{
    return qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox))->currentText();
}

QString dialText(CMainWindow& w)
{
    return QString::fromStdString(display::formatDialFrequency(w.rig().transceiver().GetSignalFrequency()));
}

TEST(WindowRig, BandButtonsTuneTheRadioAndItsBroadcastsMoveTheField)
{
    RadioWindow rw;
    test::runWindow(rw.globals, {}, [&](CMainWindow& w) {
        rig::Transceiver& trx = w.rig().transceiver();
        QTest::mouseClick(qobject_cast<QWidget*>(w.control(ControlId::Band7)), Qt::LeftButton);
        const int dial = trx.dialFrequency();
        EXPECT_GE(dial, 7000000);
        EXPECT_LT(dial, 7200000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return rw.radio.frequency() == dial; }, 5000))
            << rw.radio.frequency();
        EXPECT_EQ(fieldText(w), dialText(w));

        // A memory chosen in the frequency field tunes once the field is left; its number
        // is no part of the frequency.
        auto* field = qobject_cast<QComboBox*>(w.control(ControlId::FrequencyBox));
        field->setFocus(Qt::OtherFocusReason);
        field->setEditText(QStringLiteral(" 3: 7012.5"));
        w.focusEntryLine();
        EXPECT_EQ(trx.GetSignalFrequency(), 7012500);
        w.rig().commands().bands().BandButton(2);

        // Ctrl+Right: 100 Hz up, at the radio too.
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Right, Qt::ControlModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return rw.radio.frequency() == dial + 100; }, 5000));

        // The operator turns the dial: the broadcast reaches the field.
        rw.radio.turnDial(7043210);
        EXPECT_TRUE(QTest::qWaitFor([&] { return trx.dialFrequency() == 7043210; }, 5000))
            << trx.dialFrequency();
        EXPECT_EQ(fieldText(w), dialText(w));

        // With the hex monitor on, the frames go to the entry line instead.
        w.OnCommand(ControlId::Hex);
        EXPECT_TRUE(qobject_cast<QCheckBox*>(w.control(ControlId::Hex))->isChecked());
        rw.radio.turnDial(7050000);
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return entry->toPlainText().contains(QStringLiteral("fe fe 00 04 00 00 00 05 07 fd")); },
            5000))
            << entry->toPlainText().toStdString();
        EXPECT_EQ(trx.dialFrequency(), 7043210);
        w.OnCommand(ControlId::Hex);

        // "RS" sets up the satellite pair; "&Down" and the static "3" split 3 kHz down,
        // and the radio ends on VFO A.
        w.OnCommand(ControlId::SatelliteSwitch);
        w.OnCommand(ControlId::SplitStepDown);
        EXPECT_TRUE(qobject_cast<QRadioButton*>(w.control(ControlId::SplitDown))->isChecked());
        w.OnCommand(ControlId::Split3);
        EXPECT_EQ(qobject_cast<QSlider*>(w.control(ControlId::SplitSlider))->value(), 3000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return trx.idle(); }, 10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rw.radio.vfo() == 0; }, 5000));
    });
}

TEST(WindowRig, MarksShowTheirTextNearTheDialAndBringTheRadioBack)
{
    RadioWindow rw;
    test::ScriptedPrompter prompter;
    prompter.textAnswers = {std::string("DX")};
    test::runWindow(rw.globals, {.prompter = &prompter}, [&](CMainWindow& w) {
        rig::Transceiver& trx = w.rig().transceiver();
        auto* status = qobject_cast<QLabel*>(w.control(ControlId::Status));
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        rw.radio.turnDial(14070000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return trx.dialFrequency() == 14070000; }, 5000));
        const int marked = trx.GetSignalFrequency();
        entry->setPlainText(QStringLiteral("SV1XYZ 599"));
        QTest::keyClick(entry, Qt::Key_Insert, Qt::AltModifier);
        EXPECT_EQ(status->text(), QStringLiteral("SV1XYZ 599"));

        rw.radio.turnDial(14075000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return trx.dialFrequency() == 14075000; }, 5000));
        EXPECT_EQ(status->text(), QString()) << "no mark within 300 Hz";

        QTest::keyClick(entry, Qt::Key_PageDown, Qt::AltModifier);
        EXPECT_EQ(trx.GetSignalFrequency(), marked);
        EXPECT_TRUE(QTest::qWaitFor([&] { return rw.radio.frequency() == 14070000; }, 5000));
        EXPECT_EQ(status->text(), QStringLiteral("SV1XYZ 599"));
    });
}

}  // namespace
}  // namespace vexa::app::qt
