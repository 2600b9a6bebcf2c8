// The small windows around the main window, driven through the real window: the DX list
// read from the clipboard and tuning a simulated transceiver, the partner window editing
// the contact and the entry line, the fading test dialog, and the contacts the log scan
// brings back as frequency marks in their own modes.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "app/qt/main_window.h"
#include "support/fixed_clock.h"
#include "support/recording_transceiver.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/window_harness.h"

namespace vexa::app::qt {
namespace {

// A cluster spot line: the spotter at column 0, the kHz ending at column 16, the time, the
// DX call at 23 and the comment at 34.
std::string spot(const std::string& khz, const std::string& call, const std::string& comment)
{
    std::string line = "DL1ABC";
    line.resize(17 - khz.size(), ' ');
    line += khz + " 1234 " + call;
    if (!comment.empty()) {
        line.resize(34, ' ');
        line += comment;
    }
    return line;
}

QListWidget* dxList(CMainWindow& w)
{
    return qobject_cast<QListWidget*>(w.control(ControlId::DxList));
}

TEST(DxList, SpotsTuneInTheModeOfTheBandPlanAndADoubleClickMarksTheSpot)
{
    struct Case {
        std::string khz, call, comment;
        std::optional<OperatingMode> mode;  // nullopt: the mode before stays
        int tunedHz;
    };
    const std::vector<Case> cases = {
        {"14070.5", "JA1XYZ", "RTTY cq", OperatingMode::Rtty, 14071200},  // digital segment, 700 Hz up
        {"14195.0", "VK2ABC", "59 up 5", OperatingMode::Usb, 14194800},   // SSB above 10 MHz, 200 Hz down
        {"7080.0", "EA8XX", "", OperatingMode::Lsb, 7080000},             // SSB up to 10 MHz
        {"10105.0", "K1ABC", "599", OperatingMode::Cw, 10105000},         // 30 m has no SSB
        {"5000.0", "WWV", "time", std::nullopt, 5000000},                 // in no band
    };
    std::string clipboard = "Spots on the cluster:\n\n";
    for (const Case& c : cases) clipboard += spot(c.khz, c.call, c.comment) + "   \r\n";

    ApplicationGlobals globals;
    test::RecordingTransceiver radio;
    test::ScriptedPrompter prompter;
    test::runWindow(globals, {&radio, &prompter}, [&](CMainWindow& w) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(clipboard));
        w.OnCommand(ControlId::Dxc);
        QListWidget* list = dxList(w);
        ASSERT_EQ(list->count(), static_cast<int>(cases.size()));
        EXPECT_EQ(list->item(0)->text().toStdString(), spot("14070.5", "JA1XYZ", "RTTY cq"));
        EXPECT_EQ(list->currentRow(), -1);  // nothing tuned before the operator picks

        OperatingMode before = w.state().operatingMode();
        for (int row = 0; row < list->count(); ++row) {
            const Case& c = cases[static_cast<std::size_t>(row)];
            SCOPED_TRACE(c.khz);
            const std::size_t modeCommands = radio.modeCommands.size();
            list->setCurrentRow(row);
            EXPECT_EQ(w.state().operatingMode(), c.mode.value_or(before));
            EXPECT_EQ(radio.modeCommands.size(), modeCommands + (c.mode ? 1u : 0u));
            EXPECT_EQ(w.rig().transceiver().GetSignalFrequency(), c.tunedHz);
            EXPECT_EQ(w.logbook().selectedCall(), c.call + " " + c.comment);
            before = w.state().operatingMode();
        }

        // A double click marks the spot under its call, without asking for a label.
        list->setCurrentRow(0);
        const QRect first = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          first.center());  // the press a double click follows
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        const FrequencyMarks& marks = globals.logbook.marks;
        const FrequencyMark& mark = marks[marks.qsoRingIndex()];
        EXPECT_EQ(mark.label, "JA1XYZ RTTY cq");
        EXPECT_EQ(mark.frequency, 14071200);
        EXPECT_EQ(mark.mode, OperatingMode::Rtty);
        EXPECT_TRUE(prompter.shown.empty());
        EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->hasFocus());

        // Typing a contact forgets the spot.
        QTest::keyClicks(w.richEdit(ControlId::EntryLine), "G4ABC");
        EXPECT_EQ(w.logbook().selectedCall(), "");
    });
}

TEST(DxList, TheSameClusterOutputIsNotListedAgainAndNewOutputReplacesTheList)
{
    ApplicationGlobals globals;
    test::FixedClock clock(1796724000);
    test::runWindow(globals, {nullptr, nullptr, &clock}, [&](CMainWindow& w) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        const std::string older = spot("14070.5", "JA1XYZ", "RTTY cq") + "\n" + spot("7080.0", "EA8XX", "");
        clipboard->setText(QString::fromStdString(older));
        w.OnCommand(ControlId::Dxc);
        QListWidget* list = dxList(w);
        ASSERT_EQ(list->count(), 2);
        list->setCurrentRow(1);
        QListWidgetItem* item = list->item(0);

        // The same output again (a second passing): the list and the operator's place stay.
        EXPECT_FALSE(w.dxList().readClipboard());
        EXPECT_EQ(list->item(0), item);
        EXPECT_EQ(list->currentRow(), 1);

        // Text without spots changes nothing either.
        clipboard->setText(QStringLiteral("just some words"));
        EXPECT_FALSE(w.dxList().readClipboard());
        EXPECT_EQ(list->count(), 2);

        // New output is read by the clock within a second.
        clipboard->setText(QString::fromStdString(spot("21080.0", "ZS6AB", "") + "\n" + older));
        w.ClockTick();
        clock.value += 1;
        w.ClockTick();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text().toStdString(), spot("21080.0", "ZS6AB", ""));
    });
}

TEST(PartnerWindow, FieldsEditTheContactAndACallTypedThereRewritesTheEntryLine)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        entry->setFocus();
        QTest::keyClicks(entry, "JA1XYZ hello 599");
        QTest::keyClick(entry, Qt::Key_P, Qt::AltModifier);
        PartnerDialog* partner = w.partner().dialog();
        ASSERT_NE(partner, nullptr);
        EXPECT_EQ(partner->windowTitle(), QStringLiteral("Partner"));
        EXPECT_TRUE(entry->hasFocus());  // the focus stays where the operator types
        QLineEdit* call = partner->field(PartnerField::Call);
        EXPECT_EQ(call->text(), QStringLiteral("JA1XYZ"));

        QTest::keyClicks(partner->field(PartnerField::Name), "Taro");
        EXPECT_EQ(w.logbook().fields().name, "Taro");

        call->selectAll();
        QTest::keyClicks(call, "DL2ABC");
        EXPECT_EQ(entry->toPlainText(), QStringLiteral("DL2ABC hello 599"));
        EXPECT_EQ(w.logbook().fields().call, "DL2ABC");
        EXPECT_TRUE(w.entryUnsaved());

        // The entry line typed on changes the partner's call.
        entry->setFocus();
        entry->moveCursor(QTextCursor::Start);
        QTest::keyClick(entry, Qt::Key_Delete);
        EXPECT_EQ(call->text(), QStringLiteral("L2ABC"));

        QTest::keyClick(partner, Qt::Key_Escape);
        EXPECT_FALSE(w.partner().commands().isOpen());
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.partner().dialog() == nullptr; }));
        w.OnCommand(ControlId::PartnerToggle);
        ASSERT_NE(w.partner().dialog(), nullptr);
        EXPECT_EQ(w.partner().dialog()->field(PartnerField::Name)->text(), QStringLiteral("Taro"));
        w.OnCommand(ControlId::PartnerToggle);
        EXPECT_EQ(w.partner().dialog(), nullptr);
    });
}

// Fills the modal dialog that opens next and presses OK.
void answerFadingDialog(std::map<int, QString> values)
{
    QTimer::singleShot(0, [values] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Dialog"));
        for (const auto& [id, text] : values)
            dialog->findChild<QLineEdit*>(QString::number(id))->setText(text);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
}

TEST(FadingTest, PeriodsGiveThePhaseIncrementsAndZeroSwitchesATermOff)
{
    ApplicationGlobals globals;
    test::runWindow(globals, {}, [&](CMainWindow& w) {
        const engine::TransmitMachine& machine = w.state().transmitMachine();
        answerFadingDialog({{1176, "0.5"}, {1175, "1"}, {1177, "2"}, {1178, "0.5"}});
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_H,
                        Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        EXPECT_EQ(machine.fadingIncrement(0), 194783u);  // 2^30 / 5512.5
        EXPECT_EQ(machine.fadingIncrement(1), 48695u);   // 2^30 / 22050

        answerFadingDialog({{1176, "0"}});
        w.OnCommand(ControlId::FadingTest);
        EXPECT_EQ(machine.fadingIncrement(0), 0u);
        EXPECT_EQ(machine.fadingIncrement(1), 48695u);
        EXPECT_EQ(w.fadingTest().terms().periodSeconds[1], 2.0f);
        EXPECT_EQ(w.fadingTest().terms().depth[1], 0.5f);
    });
}

TEST(LogScan, RecentContactsAreMarkedInTheModeTheirRecordNames)
{
    struct Case {
        const char* word;
        const char* frequency;
        OperatingMode mode;
    };
    const std::vector<Case> cases = {
        {"PSK31", "14.070.500", OperatingMode::Psk31}, {"QPSK", "14.071.000", OperatingMode::Qpsk},
        {"RTTY", "14.085.000", OperatingMode::Rtty},   {"FSK31", "14.072.000", OperatingMode::Fsk31},
        {"CW", "14.020.000", OperatingMode::Cw},       {"USB", "14.200.000", OperatingMode::Usb},
        {"SSB", "7.080.000", OperatingMode::Lsb},      {"SSB", "21.300.000", OperatingMode::Usb},
    };
    test::TempDir dir;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    {
        std::ofstream log("log.log", std::ios::binary);
        for (const Case& c : cases)
            log << "DL1ABC 08/Dec/2026 09:30:00z " << c.word << " " << c.frequency << "\r\n\r\n";
    }
    ApplicationGlobals globals;
    test::FixedClock clock(1796724000);  // 2026-12-08 10:00 UTC
    test::runWindow(globals, {nullptr, nullptr, &clock}, [&](CMainWindow&) {});
    std::filesystem::current_path(previous);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const FrequencyMark& mark =
            globals.logbook.marks[FrequencyMarks::kFirstRingSlot + static_cast<int>(i)];
        SCOPED_TRACE(std::string(cases[i].word) + " " + cases[i].frequency);
        EXPECT_EQ(mark.label, "+DL1ABC");
        EXPECT_EQ(mark.mode, cases[i].mode);
    }
}

}  // namespace
}  // namespace vexa::app::qt
