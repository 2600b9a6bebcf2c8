// vexa-log driven as a user would: a log file in a temporary directory, text on stdout,
// the exit status for scripts.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/shell_run.h"
#include "support/slurp.h"
#include "support/temp_dir.h"

namespace vexa::test {
namespace {

class VexaLog : public ::testing::Test {
protected:
    TempDir dir;
    std::string log = dir.write("log.log",
                                "DL1ABC Hans 599/579 08/Dec/2026 18:05:09z PSK31 14.070.500\r\n\r\n"
                                "G4XYZ 08/Dec/2026 18:20:00z CW 7.012.000\r\n\r\n");
    ShellRun run(const std::string& args) { return runShell(std::string(VEXA_LOG) + " " + args + " 2>&1"); }
};

TEST_F(VexaLog, CheckListsTheRecordsThatDoNotParse)
{
    EXPECT_EQ(run("check " + log).status, 0);
    std::ofstream(log, std::ios::binary | std::ios::app) << "DL1ABC 08/Dec/2026 PSK31\r\n\r\n";
    const ShellRun bad = run("check " + log);
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("line 5: result 3 (no time): DL1ABC 08/Dec/2026 PSK31"), std::string::npos)
        << bad.out;
    EXPECT_EQ(run("check " + dir.file("missing.log")).status, 1);
    EXPECT_EQ(run("frobnicate").status, 2);
    EXPECT_EQ(run("check a b").status, 2);
}

TEST_F(VexaLog, ExportImportSearchAndStatistics)
{
    const std::string adi = dir.file("out.adi");
    ASSERT_EQ(run("export-adif " + log + " " + adi).status, 0);
    const std::string adif = test::slurp(adi);
    EXPECT_NE(adif.find("<CALL:5>G4XYZ <QSO_DATE:8>20261208 <TIME_ON:6>182000 <FREQ:5>7.012 <BAND:3>40m "
                        "<MODE:2>CW <EOR>"),
              std::string::npos);

    const std::string copy = dir.file("copy.log");
    const ShellRun imported = run("import-adif " + adi + " " + copy);
    EXPECT_EQ(imported.status, 0);
    EXPECT_NE(imported.out.find("imported 2 contacts"), std::string::npos) << imported.out;
    EXPECT_NE(run("import-adif " + adi + " " + copy).out.find("2 duplicates skipped"), std::string::npos);

    const ShellRun found = run("search hans " + copy);
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out.rfind("Looking for hans\n", 0), 0u);
    EXPECT_NE(found.out.find("\nDL1ABC Hans 599/579 08/Dec/2026 18:05:09z PSK31 14.070.500\n"),
              std::string::npos)
        << found.out;
    const ShellRun stats = run("stats --cty /usr/share/hamradio-files/cty.dat " + copy);
    EXPECT_EQ(stats.status, 0);
    // Germany in PSK on 20 m, England in CW on 40 m; both in CQ zone 14, ITU zones 28 and 27.
    EXPECT_NE(stats.out.find("\n  7.0:\t  1\t  1\t  0\t  0\t  0\t  0\t  1\t  1\t  0\n"), std::string::npos)
        << stats.out;
    EXPECT_NE(stats.out.find("\n 14.0:\t  1\t  0\t  0\t  0\t  1\t  0\t  1\t  1\t  0\n"), std::string::npos);
    EXPECT_NE(stats.out.find("\nTOTAL:\t  2\t  1\t  0\t  0\t  1\t  0\t  1\t  2\t  0\n\nQSOs total: 2\n"),
              std::string::npos);

    // An export that cannot be written says so and leaves nothing behind.
    EXPECT_EQ(run("export-adif " + log + " " + dir.file("no/such/dir/out.adi")).status, 1);
}

}  // namespace
}  // namespace vexa::test
