// The Info command: which text it looks up, when it asks, and the "Beaming info" report.
#include "country/country_report.h"

#include <gtest/gtest.h>

#include "support/memory_text_window.h"
#include "support/scripted_prompter.h"
#include "tests/country/country_fixture.h"

using namespace vexa::country;
using vexa::test::MemoryTextWindow;
using vexa::test::ScriptedPrompter;

namespace {

struct InfoFixture : ::testing::Test {
    InfoFixture()
        : table(vexa::test::craftedTable(dir,
                                         "Italy:  15:  28:  EU:  42.00:  -12.00:  -1.0:  I:\n"
                                         "    I,IK(14)[27];\n"
                                         "Sicily:  15:  28:  EU:  37.50:  -14.00:  -1.0:  *IT9:\n"
                                         "    IT9;\n"))
    {
        worked.reset(table.size());
        EXPECT_TRUE(RecordWorked(table, worked, "IT9ABC", 14'070'000, "PSK "));
        EXPECT_TRUE(RecordWorked(table, worked, "I1ABC", 1'830'000, "CW  "));
    }
    std::string run(MemoryTextWindow& entry, WorkedSources sources)
    {
        ShowCountryInfo(entry, prompter, table, worked, GeoPosition{42.0, 12.0}, sources, indicator);
        for (const auto& s : prompter.shown)
            if (s.kind == "inform") return s.extra + "|" + s.text;
        return "";
    }
    vexa::test::TempDir dir;
    CountryTable table;
    WorkedTables worked;
    ScriptedPrompter prompter;
    BearingIndicator indicator;
};

}  // namespace

TEST_F(InfoFixture, SelectionIsLookedUpWithoutAskingAndTheBandTableShowsTheDxccCountry)
{
    MemoryTextWindow entry("it9xyz 599");
    entry.select(0, 6);
    const std::string shown = run(entry, {.workedCacheRead = true, .logScanned = false});
    EXPECT_TRUE(prompter.shown.front().kind == "inform");  // no input box
    EXPECT_EQ(shown,
              "Beaming info|IT9XYZ:\r\nSicily (*IT9)\r\nEU\r\nWAZ 15\r\nITU 28\r\n"
              "160 Deg   528 km (329 miles)\r\n340 Deg   39475 km (24555 miles)(LP)"
              "\r\n\r\nBand:\t cw/ssb/rtty/sstv/psk\r\n"
              "  1.8:\t  1/  0/   0/   0/   0\r\n"
              "  3.5:\t  0/  0/   0/   0/   0\r\n"
              "  7.0:\t  0/  0/   0/   0/   0\r\n"
              " 10.1:\t  0/  0/   0/   0/   0\r\n"
              " 14.0:\t  0/  0/   0/   0/   1\r\n"
              " 18.1:\t  0/  0/   0/   0/   0\r\n"
              " 21.0:\t  0/  0/   0/   0/   0\r\n"
              " 24.9:\t  0/  0/   0/   0/   0\r\n"
              " 28.0:\t  0/  0/   0/   0/   0\r\n");
}

TEST_F(InfoFixture, AsksWithTheFirstWordAndShowsOverrideZonesOnlyWithAScannedLog)
{
    MemoryTextWindow entry("  ik2abc 599");
    prompter.textAnswers.push_back("ik2abc");
    const std::string report = run(entry, {.workedCacheRead = true, .logScanned = false});
    ASSERT_EQ(prompter.shown.front().kind, "ask");
    EXPECT_EQ(prompter.shown.front().text, "DXCC INFO");
    EXPECT_EQ(prompter.shown.front().extra, "ik2abc");
    EXPECT_NE(report.find("Italy (I)\r\nEU\r\nWAZ 14\r\nITU 27\r\n"), std::string::npos) << report;
    EXPECT_EQ(report.find("Band:"), std::string::npos);  // an override entry needs the log scan

    prompter.shown.clear();
    prompter.textAnswers.push_back("IK2ABC");
    EXPECT_NE(run(entry, {.workedCacheRead = false, .logScanned = true}).find("Band:"), std::string::npos);
}

TEST_F(InfoFixture, CancelOrNoMatchShowsNothing)
{
    MemoryTextWindow empty;
    EXPECT_EQ(run(empty, {}), "");  // cancelled
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown.front().extra, "");
    prompter.textAnswers.push_back("ZZ9ZZ");
    EXPECT_EQ(run(empty, {}), "");
}
