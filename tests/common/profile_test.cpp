// The profile file: defaults for anything missing, case-blind lookup, and writes that keep
// every other line of a hand-edited file.
#include "common/profile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/slurp.h"
#include "support/temp_dir.h"

namespace vexa {
namespace {

using test::slurp;

TEST(Profile, MissingFileSectionOrKeyGivesTheDefault)
{
    test::TempDir dir;
    Profile missing(dir.path() / "none" / "vexa.ini");
    EXPECT_EQ(missing.readInt("TX1", "ComPort", 2), 2);
    EXPECT_EQ(missing.readString("Keyboard", "F1", "cq"), "cq");

    std::ofstream(dir.path() / "a.ini") << "[TX1]\nComSpeed=9600\nJunk=abc\nEmpty=\n";
    Profile p(dir.path() / "a.ini");
    EXPECT_EQ(p.readInt("Spectrum", "Zoom", 1), 1);
    EXPECT_EQ(p.readInt("TX1", "ComPort", 2), 2);
    EXPECT_EQ(p.readInt("TX1", "ComSpeed", 1200), 9600);
    EXPECT_EQ(p.readInt("TX1", "Junk", 7), 7);  // not a number: the default
    EXPECT_EQ(p.readInt("TX1", "Empty", 7), 7);
    EXPECT_EQ(p.readString("TX1", "Empty", "x"), "");  // present but empty is a value
}

TEST(Profile, SectionsAndKeysMatchRegardlessOfCase)
{
    test::TempDir dir;
    std::ofstream(dir.path() / "a.ini")
        << "[spectrum]\r\n  soundfq = 1500 \r\nSTARTFQ=-20\r\n[Keyboard]\nf1=  <CR>CQ<SP> \n";
    Profile p(dir.path() / "a.ini");
    EXPECT_EQ(p.readInt("Spectrum", "SoundFq", 1000), 1500);
    EXPECT_EQ(p.readInt("SPECTRUM", "StartFq", 384), -20);
    EXPECT_EQ(p.readString("keyboard", "F1", ""), "<CR>CQ<SP>");

    std::ofstream(dir.path() / "bom.ini") << "\xEF\xBB\xBF[TX1]\nComPort=3\n";
    EXPECT_EQ(Profile(dir.path() / "bom.ini").readInt("TX1", "ComPort", 2), 3);
}

TEST(Profile, ValueWrittenIsReadBack)
{
    test::TempDir dir;
    Profile p(dir.path() / "cfg" / "vexa" / "vexa.ini");  // directories are created
    ASSERT_TRUE(p.writeInt("TX1", "ComSpeed", 9600));
    ASSERT_TRUE(p.writeInt("Spectrum", "StartFq", -384));
    ASSERT_TRUE(p.writeString("Keyboard", "F2", "  padded \"text\" "));
    ASSERT_TRUE(p.writeString("Keyboard", "F3", "\"quoted\""));
    ASSERT_TRUE(p.writeString("Keyboard", "F4", ""));
    EXPECT_EQ(p.readInt("TX1", "ComSpeed", 0), 9600);
    EXPECT_EQ(p.readInt("Spectrum", "StartFq", 0), -384);
    EXPECT_EQ(p.readString("Keyboard", "F2", ""), "  padded \"text\" ");
    EXPECT_EQ(p.readString("Keyboard", "F3", ""), "\"quoted\"");
    EXPECT_EQ(p.readString("Keyboard", "F4", "default"), "");
    EXPECT_NE(slurp(p.file()).find("ComSpeed=9600\n"), std::string::npos);  // decimal

    // Overwriting keeps one line per key.
    ASSERT_TRUE(p.writeInt("TX1", "comspeed", 4800));
    const std::string text = slurp(p.file());
    EXPECT_EQ(text.find("9600"), std::string::npos);
    EXPECT_EQ(p.readInt("TX1", "ComSpeed", 0), 4800);
}

TEST(Profile, HandWrittenFileSurvivesAWrite)
{
    test::TempDir dir;
    const std::string before =
        "; Vexa settings, edited by hand\n"
        "[tx1]\n"
        "comport = 3\n"
        "# my rig is on the USB adapter\n"
        "Com3Device=/dev/ttyUSB0\n"
        "\n"
        "[Spectrum]\n"
        "soundFQ=1200\n"
        "Colour=blue\n"
        "\n"
        "[MyOwnSection]\n"
        "something=else\n";
    std::ofstream(dir.path() / "vexa.ini") << before;
    Profile p(dir.path() / "vexa.ini");
    ASSERT_TRUE(p.writeInt("TX1", "ComPort", 1));
    ASSERT_TRUE(p.writeInt("Spectrum", "Zoom", 2));
    ASSERT_TRUE(p.writeInt("Keyboard", "Wrap", 72));
    // Only the changed value, the new key at the end of its section and the new section
    // at the end of the file: case, spacing, comments and unknown keys stay as written.
    std::string expected = before;
    expected.replace(expected.find("comport = 3"), 11, "comport = 1");
    expected.insert(expected.find("Colour=blue\n") + 12, "Zoom=2\n");
    expected += "\n[Keyboard]\nWrap=72\n";
    EXPECT_EQ(slurp(p.file()), expected);
}

TEST(Profile, ValuesThatWouldBreakTheFileAreRefused)
{
    test::TempDir dir;
    Profile p(dir.path() / "vexa.ini");
    ASSERT_TRUE(p.writeString("Keyboard", "F1", "CQ"));
    const std::string before = slurp(p.file());
    EXPECT_FALSE(p.writeString("Keyboard", "F1", "two\r\nlines"));
    EXPECT_FALSE(p.writeString("Keyboard", "F=1", "x"));
    EXPECT_EQ(slurp(p.file()), before);
    EXPECT_EQ(p.readString("Keyboard", "F1", ""), "CQ");
}

TEST(Profile, FailedWriteReportsAndKeepsTheFile)
{
    test::TempDir dir;
    Profile p(dir.path() / "vexa.ini");
    ASSERT_TRUE(p.writeInt("TX1", "ComPort", 1));
    // The replacement cannot be created (a directory is in its way): even root fails here.
    std::filesystem::create_directory(dir.path() / "vexa.ini.new");
    EXPECT_FALSE(p.writeInt("TX1", "ComPort", 4));
    EXPECT_EQ(p.readInt("TX1", "ComPort", 0), 1);

    std::ofstream(dir.path() / "plain") << "x";
    Profile underFile(dir.path() / "plain" / "vexa.ini");
    EXPECT_FALSE(underFile.writeInt("TX1", "ComPort", 4));
}

}  // namespace
}  // namespace vexa
