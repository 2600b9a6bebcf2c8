// vexa-log lookup as a script would run it: the real executable, Debian's country file,
// crafted files and a private home directory.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/shell_run.h"
#include "support/temp_dir.h"

namespace {

using vexa::test::runShell;

const std::string kTool = VEXA_LOG;
const std::string kRealFile = "/usr/share/hamradio-files/cty.dat";

}  // namespace

TEST(VexaLogLookup, ElevenFieldsPerCallFromTheRealFile)
{
    const auto r =
        runShell(kTool + " lookup --cty " + kRealFile + " --own 52.5 13.4 dl1abc IT9ABC W8LR/R VK2ABC 12345");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "dl1abc\tDL\tFed. Rep. of Germany\tEU\t14\t28\t51.00\t10.00\tDL\t236\t287\n"
              "IT9ABC\t*IT9\tSicily\tEU\t15\t28\t37.50\t14.00\tI\t178\t1667\n"
              "W8LR/R\tK\tUnited States of America\tNA\t4\t8\t37.60\t-91.87\tK\t305\t7676\n"  // W8(4)[8]
              "VK2ABC\tVK\tAustralia\tOC\t30\t59\t-33.88\t151.17\tVK\t75\t16083\n"
              "12345\t-1\tnot found\n");
}

TEST(VexaLogLookup, ReadsStdinAndTakesFilesAndPositionFromTheUsersDirectories)
{
    vexa::test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "data" / "vexa");
    std::filesystem::create_directories(dir.path() / "config" / "vexa");
    std::ofstream(dir.file("data/vexa/cty.dat")) << "Alpha:  05:  08:  EU:  0.00:  -10.00:  -1.0:  AB:\n"
                                                    "    AB,AC(4)[7];\n";
    std::ofstream(dir.file("config/vexa/vexa.ini")) << "[Station]\nLatitude=0\nLongitude=0\n";
    const std::string env = "HOME=" + dir.path().string() + " XDG_DATA_HOME=" + dir.file("data") +
                            " XDG_CONFIG_HOME=" + dir.file("config");
    const auto r = runShell("printf 'ab1c\\r\\n  AC2X \\n\\nZZ9\\n' | " + env + " " + kTool + " lookup");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "ab1c\tAB\tAlpha\tEU\t05\t08\t0.00\t10.00\tAB\t90\t1111\n"
              "AC2X\tAB\tAlpha\tEU\t4\t7\t0.00\t10.00\tAB\t90\t1111\n"
              "\t-1\tnot found\n"
              "ZZ9\t-1\tnot found\n");
    // At the country's own position there is no heading, and the distance gets two decimals.
    const auto here = runShell(env + " " + kTool + " lookup --own 0 10 AB1");
    EXPECT_EQ(here.out, "AB1\tAB\tAlpha\tEU\t05\t08\t0.00\t10.00\tAB\t\t0.00\n");
}

TEST(VexaLogLookup, ExitStatusNamesWhatWentWrong)
{
    vexa::test::TempDir dir;
    const auto missing = runShell(kTool + " lookup --cty " + dir.file("none.dat") + " K1ABC 2>&1");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find(dir.file("none.dat")), std::string::npos) << missing.out;
    EXPECT_EQ(runShell(kTool + " lookup --cty " + dir.path().string() + " K1ABC 2>/dev/null").status, 1);
    for (const char* args :
         {"lookup --own 95 0 K1", "lookup --own 10", "lookup --cty", "lookup --bogus", "nothing", ""}) {
        const auto r = runShell(kTool + " " + args + " 2>&1 </dev/null");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find("usage"), std::string::npos) << args;
    }
}
