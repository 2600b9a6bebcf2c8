// Saving, scanning and searching a real log file in a temporary data directory, including
// the failures that must never lose or fake a saved contact.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "log/clear_entry.h"
#include "log/log_reader.h"
#include "log/save_entry.h"
#include "log/scan_log_file.h"
#include "log/search_log.h"
#include "support/file_size_limit.h"
#include "support/fixed_clock.h"
#include "support/scripted_prompter.h"
#include "support/slurp.h"
#include "support/temp_dir.h"

namespace vexa::log {
namespace {

namespace fs = std::filesystem;

EntryLineState edited()
{
    EntryLineState s;
    s.setState(entry_state::kEdited | entry_state::kTimeStamped);
    return s;
}

class LogFile : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedPrompter prompter;
    WorkedCalls worked;
    LogContext context;
    void SetUp() override
    {
        context.logPath = dir.file("log.log");
        context.workedCalls = &worked;
    }
    SaveResult save(const std::string& text)
    {
        EntryLineState state = edited();
        return SaveEntry(text, state, prompter, context);
    }
};

TEST_F(LogFile, SavedRecordsAreScannedAndFound)
{
    ASSERT_EQ(save("DL1ABC Hans 599/579 08/Dec/2026 18:05:09z PSK31 14.070.500").outcome, SaveOutcome::Saved);
    ASSERT_EQ(save("G4XYZ Bob 08/Dec/2026 18:20:00z CW 7.012.000").outcome, SaveOutcome::Saved);
    EXPECT_EQ(test::slurp(context.logPath),
              "DL1ABC Hans 599/579 08/Dec/2026 18:05:09z PSK31 14.070.500\r\n\r\n"
              "G4XYZ Bob 08/Dec/2026 18:20:00z CW 7.012.000\r\n\r\n");
    EXPECT_TRUE(prompter.shown.empty());

    WorkedCalls scanned;
    context.workedCalls = &scanned;
    test::FixedClock clock(ToLogTime({2026, 12, 8, 19, 0, 0}));
    const ScanResult scan = ScanLogFile(context, clock, &prompter);
    EXPECT_EQ(scan.qsoTotal, 2);
    EXPECT_EQ(scan.logLines.size(), 2u);
    EXPECT_EQ(scan.recentContacts.size(), 2u);
    EXPECT_EQ(scanned.check("G4XYZ", 2, 0), WorkedBefore::SameBandAndMode);

    const SearchResult found = SearchLog(context.logPath, "dl1", &prompter);
    EXPECT_EQ(found.text,
              "Looking for dl1\r\n\r\nDL1ABC Hans 599/579 08/Dec/2026 18:05:09z PSK31 14.070.500\r\n");
    EXPECT_EQ(SearchLog(context.logPath, "K1ZZZ", &prompter).text, "Looking for K1ZZZ\r\nNothing found\r\n");
    EXPECT_EQ(SearchLog(dir.file("none.log"), "x", &prompter).text, "Looking for x\r\nNothing found\r\n");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(LogFile, UnparsedRecordsAskOrPassAsComments)
{
    // A comment is saved without a question and shown as written.
    const SaveResult comment = save(";  new antenna from today");
    EXPECT_EQ(comment.outcome, SaveOutcome::Saved);
    EXPECT_EQ(comment.unformattedText, ";  new antenna from today \r\n");
    EXPECT_TRUE(prompter.shown.empty());

    // No frequency: the operator is asked; No writes nothing and leaves the entry unsaved.
    const std::string before = test::slurp(context.logPath);
    EntryLineState state = edited();
    EXPECT_EQ(SaveEntry("DL1ABC 08/Dec/2026 18:05:09z PSK31", state, prompter, context).outcome,
              SaveOutcome::Declined);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Not parsed! Save anyway?");
    EXPECT_EQ(test::slurp(context.logPath), before);
    EXPECT_TRUE(state.unsaved());

    prompter.answers.push_back(Prompter::Answer::Yes);
    EXPECT_EQ(SaveEntry("DL1ABC 08/Dec/2026 18:05:09z PSK31", state, prompter, context).outcome,
              SaveOutcome::Saved);
    EXPECT_EQ(state.state(), entry_state::kSaved);
    EXPECT_EQ(worked.size(), 0u);

    // The scan passes the comment silently and names the other record.
    test::FixedClock clock(0);
    EXPECT_EQ(ScanLogFile(context, clock, &prompter).qsoTotal, 0);
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[2].text, "Not parsed:\r\nDL1ABC 08/Dec/2026 18:05:09z PSK31");
}

// A log edited by hand may end without the blank line; the next record must not join it.
TEST_F(LogFile, AppendStartsANewRecordAfterAnUnendedOne)
{
    test::writeFile(context.logPath, "G4XYZ 08/Dec/2026 18:20:00z CW 7.012.000");
    ASSERT_EQ(save("DL1ABC 08/Dec/2026 18:05:09z PSK31 14.070.500").outcome, SaveOutcome::Saved);
    test::FixedClock clock(0);
    EXPECT_EQ(ScanLogFile(context, clock, &prompter).qsoTotal, 2);
}

// Bytes that are not text, NULs left by a crash and a line of a megabyte cost no other record.
TEST_F(LogFile, DamagedFileKeepsTheRecordsAroundTheDamage)
{
    std::string data = "DL1ABC 08/Dec/2026 18:05:09z PSK31 14.070.500\r\n\r\n";
    data += "F5AAA Ren\xe9 \xff\xfe 08/Dec/2026 18:06:00z CW 7.010.000\r\n\r\n";
    data += std::string(4096, '\0') + "\r\n";
    data += "G4XYZ 08/Dec/2026 18:20:00z CW 7.012.000\r\n\r\n";
    data += ";" + std::string(1 << 20, 'x') + "\r\n\r\n";
    data += std::string("K1AB\0C 08/Dec/2026 18:30:00z CW 14.012.000\r\n\r\n", 47);
    data += "OK1XY 08/Dec/2026 18:40:00z SSB 14.210.000\n\n";
    test::writeFile(context.logPath, data);

    test::FixedClock clock(0);
    EXPECT_EQ(ScanLogFile(context, clock, &prompter).qsoTotal, 5);
    EXPECT_EQ(prompter.shown.size(), 0u);
    EXPECT_EQ(worked.check("K1AB", 4, 0), WorkedBefore::SameBandAndMode);
    EXPECT_EQ(SearchLog(context.logPath, "ren\xe9", nullptr).found, 1);
}

// What Save reported as saved is in the file even when the program dies right after.
TEST_F(LogFile, KilledWriterKeepsEverySavedRecord)
{
    int ack[2];
    ASSERT_EQ(::pipe(ack), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ack[0]);
        for (int i = 0;; ++i) {
            char text[96];
            std::snprintf(text, sizeof text, "DL%dABC 08/Dec/2026 18:05:09z PSK31 14.070.500", i % 10);
            EntryLineState state = edited();
            test::ScriptedPrompter quiet;
            if (SaveEntry(text, state, quiet, context).outcome != SaveOutcome::Saved) ::_exit(3);
            if (::write(ack[1], "s", 1) != 1) ::_exit(4);
        }
    }
    ::close(ack[1]);
    int acknowledged = 0;
    char c;
    while (acknowledged < 50 && ::read(ack[0], &c, 1) == 1) ++acknowledged;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    while (::read(ack[0], &c, 1) == 1) ++acknowledged;  // saves acknowledged before the kill
    ::close(ack[0]);
    ASSERT_EQ(acknowledged >= 50, true);

    int complete = 0;
    ReadLogGroups(context.logPath, [&](const LogGroup& g) {
        complete += ParseLogRecord(g.text, nullptr, context.zone) == ParseResult::Complete;
    });
    EXPECT_GE(complete, acknowledged);
}

// Runs fn in a child process without root's right to write anywhere; returns its exit code.
template <typename Fn>
int withoutRoot(Fn&& fn)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(90);
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 91;
}

TEST_F(LogFile, WriteIntoReadOnlyDirectoryIsReportedAndLeavesTheEntryUnsaved)
{
    const fs::path ro = dir.path() / "ro";
    fs::create_directory(ro);
    ::chmod(dir.path().c_str(), 0755);
    ::chmod(ro.c_str(), 0555);
    context.logPath = (ro / "log.log").string();
    const int code = withoutRoot([&] {
        EntryLineState state = edited();
        test::ScriptedPrompter p;
        const SaveResult r = SaveEntry("DL1ABC 08/Dec/2026 18:05:09z PSK31 14.070.500", state, p, context);
        if (r.outcome != SaveOutcome::Failed || !state.unsaved()) return 1;
        if (p.shown.size() != 1 || p.shown[0].kind != "inform") return 2;
        if (p.shown[0].text.find(context.logPath) == std::string::npos) return 3;
        if (p.shown[0].text.find("Permission denied") == std::string::npos) return 4;
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(fs::exists(ro / "log.log"));
    EXPECT_EQ(worked.size(), 0u);
}

TEST_F(LogFile, LogReplacedByADirectoryIsReported)
{
    fs::create_directory(context.logPath);
    EntryLineState state = edited();
    const std::string entry = "DL1ABC 08/Dec/2026 18:05:09z PSK31 14.070.500";
    const SaveResult r = SaveEntry(entry, state, prompter, context);
    EXPECT_EQ(r.outcome, SaveOutcome::Failed);
    EXPECT_TRUE(state.unsaved());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find("Is a directory"), std::string::npos) << prompter.shown[0].text;

    // Clear with "Yes, save": the save fails, so the complete record stays in the entry line.
    prompter.answers.push_back(Prompter::Answer::Yes);
    const auto saveAgain = [&] {
        return SaveForClear{SaveEntry(entry, state, prompter, context).outcome, entry};
    };
    EXPECT_FALSE(ConfirmClear(state, prompter, saveAgain, context.zone));
    EXPECT_EQ(prompter.shown[1].text, "Text is not saved!\r\nSave?");
    EXPECT_TRUE(state.unsaved());

    const SearchResult search = SearchLog(context.logPath, "DL1", &prompter);
    EXPECT_EQ(search.text, "Looking for DL1\r\nNothing found\r\n");
    EXPECT_NE(search.error.find("Is a directory"), std::string::npos);
}

// A write that stops half-way (the disk fills) takes its part back out of the file.
TEST_F(LogFile, PartialWriteLeavesNoHalfRecord)
{
    const std::string first = "G4XYZ 08/Dec/2026 18:20:00z CW 7.012.000\r\n\r\n";
    test::writeFile(context.logPath, first);
    {
        const test::FileSizeLimit limit(first.size() + 20);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(save("DL1ABC 08/Dec/2026 18:05:09z PSK31 14.070.500 a long remark").outcome,
                  SaveOutcome::Failed);
    }
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find("File too large"), std::string::npos) << prompter.shown[0].text;
    EXPECT_EQ(test::slurp(context.logPath), first);
}

}  // namespace
}  // namespace vexa::log
