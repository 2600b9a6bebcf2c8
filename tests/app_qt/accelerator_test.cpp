// The application-wide accelerators reach their commands from any control, before the
// control sees the key; a key of the table never reaches the control.
#include <set>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "app/qt/accelerator_table.h"
#include "app/qt/main_window.h"
#include "support/recording_transceiver.h"
#include "support/scripted_prompter.h"
#include "support/window_harness.h"
#include "ui/spectrum_widget.h"

namespace vexa::app::qt {
namespace {

TEST(AcceleratorTable, HoldsEveryKeyOnceWithItsCommand)
{
    std::set<std::pair<int, int>> seen;
    for (const Accelerator& a : acceleratorTable()) {
        EXPECT_TRUE(seen.insert({a.key, static_cast<int>(a.modifiers.toInt())}).second)
            << "key " << a.key << " appears twice";
    }
    EXPECT_EQ(acceleratorTable().size(), 24u + 24u + 20u + 21u);
    using I = ControlId;
    EXPECT_EQ(findAccelerator(Qt::Key_F1, Qt::NoModifier), I::FirstMacro);
    EXPECT_EQ(findAccelerator(Qt::Key_F12, Qt::ShiftModifier), I::LastMacro);
    EXPECT_EQ(findAccelerator(Qt::Key_F11, Qt::ControlModifier | Qt::ShiftModifier),
              nthId(I::FirstMacroEdit, 22));
    EXPECT_EQ(findAccelerator(Qt::Key_0, Qt::AltModifier), nthId(I::FirstRecallMark, 9));
    EXPECT_EQ(findAccelerator(Qt::Key_Pause, Qt::NoModifier), I::TransmitKey);
    EXPECT_EQ(findAccelerator(Qt::Key_X, Qt::AltModifier), I::TransmitKey);
    EXPECT_EQ(findAccelerator(Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier), std::nullopt)
        << "keypad digits are not the digit keys";
    EXPECT_EQ(findAccelerator(Qt::Key_X, Qt::NoModifier), std::nullopt);
}

TEST(Accelerators, ReachTheirCommandsFromAnyControl)
{
    ApplicationGlobals globals;
    // Alt+T stamps the entry line and may ask for a report: answered here, never a modal box.
    test::ScriptedPrompter prompter;
    test::runWindow(globals, {.prompter = &prompter}, [&](CMainWindow& w) {
        QTextEdit* keyboard = w.richEdit(ControlId::KeyboardWindow);
        keyboard->setFocus();

        const auto type = w.spectrum()->displayType();
        QTest::keyClick(keyboard, Qt::Key_W, Qt::AltModifier);
        EXPECT_NE(w.spectrum()->displayType(), type) << "Alt+W steps the display";
        EXPECT_EQ(keyboard->toPlainText(), QString()) << "the key goes no further";

        const double hz = w.state().carrierFrequency();
        QTest::keyClick(keyboard, Qt::Key_Right, Qt::AltModifier);
        EXPECT_DOUBLE_EQ(w.state().carrierFrequency(), hz + 1.0);
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Left, Qt::AltModifier);
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Left, Qt::AltModifier);
        EXPECT_DOUBLE_EQ(w.state().carrierFrequency(), hz - 1.0);
        EXPECT_DOUBLE_EQ(w.state().transmitFrequency(), hz - 1.0) << "net is on";

        QTest::keyClick(keyboard, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        EXPECT_EQ(w.state().operatingMode(), OperatingMode::Rtty);
        EXPECT_EQ(qobject_cast<QComboBox*>(w.control(ControlId::ModeBox))->currentIndex(), 4);
        EXPECT_DOUBLE_EQ(w.state().receiver().rtty().symbolRate(), 100.0);
        EXPECT_DOUBLE_EQ(w.state().transmitMachine().modulator().symbolRate(), 200.0);

        // The mode box's RTTY is 45.45 Bd again.
        w.SetOperatingMode(OperatingMode::Rtty);
        EXPECT_DOUBLE_EQ(w.state().receiver().rtty().symbolRate(), 45.45);

        // Ctrl+Shift+S applies the sound-card switch: off closes the input, on opens it.
        auto* spec = qobject_cast<QCheckBox*>(w.control(ControlId::Spec));
        spec->click();
        EXPECT_FALSE(spec->isChecked());
        EXPECT_FALSE(w.state().inputOpen());
        QTest::keyClick(keyboard, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_FALSE(w.state().inputOpen());

        // Keys of the table go no further, whatever their command does: in the keyboard
        // window they would be sent.
        for (const int key : {Qt::Key_5, Qt::Key_0, Qt::Key_P, Qt::Key_T})
            QTest::keyClick(keyboard, key, Qt::AltModifier);
        QTest::keyClicks(keyboard, QStringLiteral("ok"));
        EXPECT_EQ(keyboard->toPlainText(), QStringLiteral("ok"));
    });
}

// Ctrl+3 and the "Send" button are both command 1202, Alt+8 and "&Help" both 1217: a key
// stores or recalls a mark, the button does its own work.
TEST(Accelerators, MarkKeysAreNotTheButtonsOfTheSameNumber)
{
    test::ScriptedPrompter prompter;
    prompter.textAnswers = {std::string("three"), std::string("eight")};
    ApplicationGlobals globals;
    test::runWindow(globals, {.prompter = &prompter}, [&](CMainWindow& w) {
        rig::Transceiver& trx = w.rig().transceiver();
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        QString dialog;  // the title of a dialog the command opened
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &w) {
                dialog = modal->windowTitle();
                modal->close();
            }
        });
        closer.start(10);
        const auto key = [&](int k, Qt::KeyboardModifier m) {
            return [&, k, m] { QTest::keyClick(entry, k, m); };
        };
        const auto send = [&] { QTest::mouseClick(w.control(ControlId::Send), Qt::LeftButton); };

        const struct {
            const char* what;
            int tunedTo;  // signal frequency before the command
            std::function<void()> command;
            std::size_t asked;  // "Fq mark" prompts so far
            int signalAfter;
            QString dialog;
        } steps[] = {
            {"Ctrl+3 stores mark 2", 14070000, key(Qt::Key_3, Qt::ControlModifier), 1, 14070000, {}},
            {"Ctrl+8 stores mark 7", 7030000, key(Qt::Key_8, Qt::ControlModifier), 2, 7030000, {}},
            {"Alt+3 recalls mark 2", 3580000, key(Qt::Key_3, Qt::AltModifier), 2, 14070000, {}},
            {"Alt+8 recalls mark 7", 3580000, key(Qt::Key_8, Qt::AltModifier), 2, 7030000, {}},
            {"the Send button opens a file", 3580000, send, 2, 3580000, QStringLiteral("Send")},
        };
        for (const auto& s : steps) {
            SCOPED_TRACE(s.what);
            trx.TuneTransceiver(s.tunedTo);
            dialog.clear();
            s.command();
            if (!s.dialog.isEmpty()) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isEmpty(); }, 5000));
            }
            EXPECT_EQ(dialog, s.dialog);
            EXPECT_EQ(prompter.shown.size(), s.asked);
            EXPECT_EQ(trx.GetSignalFrequency(), s.signalAfter);
        }
        EXPECT_EQ(prompter.shown.back().text, "Fq mark");
    });
}

TEST(Accelerators, TransmitKeyIsRefusedInModesThatCannotSend)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        w.SetOperatingMode(OperatingMode::Am);  // AM
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Pause);
        EXPECT_FALSE(w.state().transmitActive());
        EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->hasFocus());
    });
}

}  // namespace
}  // namespace vexa::app::qt
