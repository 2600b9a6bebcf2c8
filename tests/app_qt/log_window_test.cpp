// The logbook in the real window: a contact typed, time-stamped and saved into a log file in
// a temporary data directory, the alert it causes, the ring of frequency marks, and a save
// that fails without losing the entry.
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>

#include "app/qt/main_window.h"
#include "log/log_record.h"
#include "support/data_directory.h"
#include "support/fixed_clock.h"
#include "support/scripted_prompter.h"
#include "support/slurp.h"
#include "support/window_harness.h"

namespace vexa {
namespace {

using app::ApplicationGlobals;
using app::ControlId;
using app::qt::CMainWindow;
using test::DataDirectory;
using test::ScriptedPrompter;

QString plain(CMainWindow& w, ControlId id)
{
    return w.richEdit(id)->toPlainText();
}

constexpr std::time_t kNow = 1796724000;  // 2026-12-08 10:00 UTC

TEST(LogWindow, TimeAndSaveWriteTheRecordAndTheSameCallIsWorkedBefore)
{
    DataDirectory data;
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    prompter.textAnswers = {std::string("579"), std::string("559")};  // RST, My RST
    test::FixedClock clock(kNow);
    std::string viewed;
    app::qt::MainWindowServices services{nullptr, &prompter, &clock};
    services.viewer = [&viewed](const std::string& text) { viewed = text; };
    test::runWindow(globals, services, [&](CMainWindow& w) {
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        entry->setFocus();
        QTest::keyClicks(entry, "DL1ABC");
        EXPECT_TRUE(w.entryUnsaved());
        qobject_cast<QLineEdit*>(w.control(ControlId::FreeText))->setText(QStringLiteral("QRP"));
        w.OnCommand(ControlId::Time);
        const QString stamped = entry->toPlainText();
        w.OnCommand(ControlId::Time);  // a second time stamps nothing more
        EXPECT_EQ(entry->toPlainText(), stamped);
        EXPECT_TRUE(stamped.startsWith(QStringLiteral("DL1ABC 559/579 ")));
        EXPECT_TRUE(stamped.trimmed().endsWith(QStringLiteral(" QRP"))) << stamped.toStdString();
        w.OnCommand(ControlId::Save);
        EXPECT_FALSE(w.entryUnsaved());
        EXPECT_TRUE(plain(w, ControlId::LogWindow).startsWith(QStringLiteral("DL1ABC     ")));

        // The next contact with the same station: the clock tick's alert.
        w.OnCommand(ControlId::Clear);
        EXPECT_TRUE(entry->toPlainText().isEmpty());
        QTest::keyClicks(entry, "DL1ABC");
        w.ClockTick();
        EXPECT_EQ(plain(w, ControlId::AlertLine), QStringLiteral("QSO BEFORE"));
        prompter.textAnswers = {std::string("dl1abc")};
        w.OnCommand(ControlId::Look);  // nothing selected: asks "String to find:"
        EXPECT_NE(viewed.find("Looking for dl1abc"), std::string::npos);
        EXPECT_NE(viewed.find("559/579"), std::string::npos);

        prompter.answers = {Prompter::Answer::No};
        w.OnCommand(ControlId::Close);
        EXPECT_FALSE(w.isVisible());
    });
    const std::string file = test::slurp(data.log());
    log::LogRecord record;
    ASSERT_EQ(log::ParseLogRecord(file, &record, log::TimeZoneOffset::system()), log::ParseResult::Complete)
        << file;
    EXPECT_EQ(record.call, "DL1ABC");
    EXPECT_EQ(log::TimeZoneOffset::system().toUtc(record.time), kNow);
    EXPECT_EQ(record.frequencyHz / 1000000, 14);
    EXPECT_EQ(record.modeText, "PSK ");
    EXPECT_EQ(globals.logbook.workedCalls.size(), 1u);
}

TEST(LogWindow, TheNextRunScansTheLogAndAMacroSavesThroughTheLog)
{
    DataDirectory data;
    ScriptedPrompter prompter;
    prompter.textAnswers = {std::string("599"), std::string("599")};
    test::FixedClock clock(kNow);
    {
        ApplicationGlobals globals;
        globals.macros.setText(0, "<SAVE>");
        test::runWindow(globals, {nullptr, &prompter, &clock}, [&](CMainWindow& w) {
            w.richEdit(ControlId::EntryLine)->setPlainText(QStringLiteral("OH2XYZ"));
            w.OnCommand(ControlId::FirstMacro, app::CommandOrigin::Accelerator);  // F1
            EXPECT_FALSE(w.entryUnsaved());
        });
    }
    ASSERT_NE(test::slurp(data.log()).find("OH2XYZ"), std::string::npos);

    clock.value = kNow + 3600;
    ApplicationGlobals globals;  // a new run
    std::string viewed;
    app::qt::MainWindowServices services{nullptr, &prompter, &clock};
    services.viewer = [&viewed](const std::string& text) { viewed = text; };
    test::runWindow(globals, services, [&](CMainWindow& w) {
        EXPECT_TRUE(plain(w, ControlId::LogWindow).startsWith(QStringLiteral("OH2XYZ     ")));
        // A call put into the entry line from elsewhere gets a space after it.
        w.richEdit(ControlId::KeyboardWindow)->setFocus();
        w.richEdit(ControlId::EntryLine)->insertPlainText(QStringLiteral("OH2XYZ"));
        EXPECT_EQ(plain(w, ControlId::EntryLine), QStringLiteral("OH2XYZ "));
        EXPECT_EQ(w.logbook().fields().call, "OH2XYZ");
        w.ClockTick();
        EXPECT_EQ(plain(w, ControlId::AlertLine), QStringLiteral("QSO BEFORE"));
        QTest::mouseClick(w.control(ControlId::MapPicture), Qt::LeftButton, Qt::ShiftModifier);
        prompter.answers = {Prompter::Answer::No};
    });
    EXPECT_NE(viewed.find("QSOs total: 1"), std::string::npos) << viewed;
}

TEST(LogWindow, TheNinetyFirstContactTakesRingSlotTenAgain)
{
    DataDirectory data;
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    prompter.textAnswers = {std::string("599"), std::string("599")};
    test::FixedClock clock(kNow);
    test::runWindow(globals, {nullptr, &prompter, &clock}, [&](CMainWindow& w) {
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        for (int n = 1; n <= 91; ++n) {
            entry->setPlainText(QStringLiteral("K%1ABC").arg(n));
            w.OnCommand(ControlId::Save);
            ASSERT_FALSE(w.entryUnsaved()) << n;
        }
    });
    const FrequencyMarks& marks = globals.logbook.marks;
    EXPECT_EQ(marks[10].label, "+K91ABC");
    EXPECT_EQ(marks[11].label, "+K2ABC");
    EXPECT_EQ(marks[99].label, "+K90ABC");
    EXPECT_TRUE(marks[9].label.empty());
    EXPECT_EQ(marks.qsoRingIndex(), 11);
    EXPECT_EQ(globals.logbook.workedCalls.size(), 91u);
}

TEST(LogWindow, AFailedSaveKeepsTheEntryAndTheWindow)
{
    DataDirectory data;
    std::filesystem::create_directory(data.log());  // the log file replaced by a directory
    ApplicationGlobals globals;
    ScriptedPrompter prompter;
    prompter.textAnswers = {std::string("599"), std::string("599")};
    test::FixedClock clock(kNow);
    bool openAfterYes = false;
    test::runWindow(globals, {nullptr, &prompter, &clock}, [&](CMainWindow& w) {
        w.richEdit(ControlId::EntryLine)->setPlainText(QStringLiteral("G4XYZ"));
        prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::No};
        w.OnCommand(ControlId::Close);  // Yes: the save fails
        openAfterYes = w.isVisible();
        EXPECT_TRUE(w.entryUnsaved());
        EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->toPlainText().startsWith(QStringLiteral("G4XYZ ")));
        w.OnCommand(ControlId::Close);  // No
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_TRUE(openAfterYes);
    bool told = false;
    for (const ScriptedPrompter::Shown& s : prompter.shown)
        if (s.kind == "inform" && s.text.find("log.log") != std::string::npos) told = true;
    EXPECT_TRUE(told);
}

}  // namespace
}  // namespace vexa
