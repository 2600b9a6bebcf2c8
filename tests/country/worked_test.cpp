// The worked-status tables filled by logged contacts, and their cache file across runs,
// country-file updates and crashes.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "country/find_country.h"
#include "country/worked_cache.h"
#include "country/worked_tables.h"
#include "support/slurp.h"
#include "tests/country/country_fixture.h"

using namespace vexa::country;
using vexa::test::TempDir;

namespace {

const char* const kFourCountries =
    "Alpha:  1:  2:  EU:  0:  0:  0:  AA:\n    AA;\n"
    "Bravo:  1:  3:  EU:  0:  0:  0:  BB:\n    BB;\n"
    "Charlie:  40:  75:  EU:  0:  0:  0:  CC:\n    CC;\n"
    "Delta:  0:  76:  EU:  0:  0:  0:  DD:\n    DD;\n";

// A crafted four-country file in a directory of its own, and tables of nothing worked yet.
class WorkedCache : public ::testing::Test {
protected:
    WorkedCache() { worked.reset(table.size()); }
    TempDir dir;
    const CountryTable table = vexa::test::craftedTable(dir, kFourCountries);
    WorkedTables worked;
};

}  // namespace

TEST(RecordWorked, RealCallsFillCountryAndZoneMasks)
{
    const CountryTable& table = vexa::test::realCountryTable();
    WorkedTables worked;
    worked.reset(table.size());
    EXPECT_TRUE(RecordWorked(table, worked, "DL1ABC", 14'070'000, "PSK "));
    EXPECT_TRUE(RecordWorked(table, worked, "dl2xyz/p", 3'580'000, "CW  "));
    const int dl = FindCountry(table, "DL1ABC")->index;
    EXPECT_EQ(worked.country(dl), kWorkedPsk | kWorkedCw);
    EXPECT_EQ(worked.countryOnBand(4, dl), kWorkedPsk);
    EXPECT_EQ(worked.countryOnBand(1, dl), kWorkedCw);
    EXPECT_EQ(worked.cqZone(14), kWorkedPsk | kWorkedCw);
    EXPECT_EQ(worked.ituZoneOnBand(4, 28), kWorkedPsk);

    // Sicily is not a new DXCC country: it counts for Italy.
    EXPECT_TRUE(RecordWorked(table, worked, "IT9ABC", 21'080'000, "RTTY"));
    EXPECT_EQ(worked.countryOnBand(6, FindCountry(table, "I1ABC")->index), kWorkedRtty);
    EXPECT_EQ(worked.country(FindCountry(table, "IT9ABC")->index), 0u);

    EXPECT_FALSE(RecordWorked(table, worked, "DL1ABC", 14'070'000, "PSK31"));  // not a mode text
    EXPECT_FALSE(RecordWorked(table, worked, "DL1ABC", 5'000'000, "PSK "));    // no band
    EXPECT_FALSE(RecordWorked(table, worked, "", 14'070'000, "PSK "));
}

TEST_F(WorkedCache, WrittenAndReadBackIncludingZoneEdges)
{
    ASSERT_TRUE(RecordWorked(table, worked, "AA1A", 1'820'000, "CW  "));
    ASSERT_TRUE(RecordWorked(table, worked, "AA1A", 14'100'000, "USB "));
    ASSERT_TRUE(RecordWorked(table, worked, "BB1B", 28'500'000, "FSK "));
    ASSERT_TRUE(RecordWorked(table, worked, "CC1C", 7'040'000, "FAX "));
    ASSERT_TRUE(RecordWorked(table, worked, "DD1D", 7'040'000, "SSTV"));
    EXPECT_EQ(worked.cqZone(40), kWorkedSstvFax);
    EXPECT_EQ(worked.ituZone(75), kWorkedSstvFax);
    EXPECT_EQ(worked.cqZone(1), kWorkedCw | kWorkedSsb | kWorkedFsk);

    const std::string cache = dir.file("qcty.dat");
    ASSERT_TRUE(SaveWorkedCache(cache, table, worked));
    EXPECT_EQ(vexa::test::slurp(cache),
              "AA 1 0 0 0 2 0 0 0 0\n"
              "BB 0 0 0 0 0 0 0 0 20\n"
              "CC 0 0 8 0 0 0 0 0 0\n"
              "DD 0 0 8 0 0 0 0 0 0\n");

    WorkedTables restored;
    restored.reset(table.size());
    ASSERT_TRUE(LoadWorkedCache(cache, table, restored));
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(restored.country(c), worked.country(c)) << c;
        for (int b = 0; b < vexa::kBandCount; ++b)
            EXPECT_EQ(restored.countryOnBand(b, c), worked.countryOnBand(b, c));
    }
    EXPECT_EQ(restored.country(0), kWorkedCw | kWorkedSsb);
    EXPECT_EQ(restored.cqZone(1), kWorkedCw | kWorkedSsb | kWorkedFsk);  // two countries of one zone
    EXPECT_EQ(restored.ituZone(75), kWorkedSstvFax);                     // Delta's zones are out of range
    EXPECT_EQ(restored.cqZone(40), kWorkedSstvFax);
}

TEST_F(WorkedCache, OlderCountryFileAndOddLinesRestoreWhatTheyCan)
{
    // The current file dropped Bravo and put Delta before Charlie.
    const CountryTable current =
        vexa::test::craftedTable(dir,
                                 "Alpha:  1:  2:  EU:  0:  0:  0:  AA:\n    AA;\n"
                                 "Delta:  5:  6:  EU:  0:  0:  0:  DD:\n    DD;\n"
                                 "Charlie:  40:  75:  EU:  0:  0:  0:  CC:\n    CC;\n");
    const std::string cache = dir.file("qcty.dat");
    std::ofstream(cache, std::ios::binary) << "AA 1 0 0 0 2 0 0 0 0\r\n"
                                              "BB 4 4 4 4 4 4 4 4 4\r\n"
                                              "CC 8\r\n"
                                              "DD 1 2 zz 4 4\r\n"
                                              " 1 1 1\r\nnospace\r\n";
    worked.reset(current.size());
    ASSERT_TRUE(LoadWorkedCache(cache, current, worked));
    EXPECT_EQ(worked.country(0), kWorkedCw | kWorkedSsb);
    EXPECT_EQ(worked.country(2), kWorkedSstvFax);  // restored although it follows a removed country
    EXPECT_EQ(worked.countryOnBand(1, 2), 0u);
    EXPECT_EQ(worked.country(1), kWorkedCw | kWorkedSsb);  // the bands before the bad token
    EXPECT_EQ(worked.countryOnBand(3, 1), 0u);

    EXPECT_FALSE(LoadWorkedCache(dir.file("missing"), current, worked));
}

TEST_F(WorkedCache, FailedOrKilledWriteKeepsThePreviousCache)
{
    ASSERT_TRUE(RecordWorked(table, worked, "AA1A", 14'070'000, "PSK "));
    const std::string cache = dir.file("qcty.dat");
    ASSERT_TRUE(SaveWorkedCache(cache, table, worked));
    const std::string previous = vexa::test::slurp(cache);

    for (const char* call : {"BB1B", "CC1C", "DD1D"})
        ASSERT_TRUE(RecordWorked(table, worked, call, 14'070'000, "CW  "));
    // The process dies in the middle of writing: the file size limit kills it with SIGXFSZ
    // once 30 bytes are on the disk.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        rlimit limit{30, 30};
        setrlimit(RLIMIT_FSIZE, &limit);
        (void)SaveWorkedCache(cache, table, worked);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(vexa::test::slurp(cache), previous);

    // A write that fails (here: the temporary name is taken by a directory) reports it.
    std::filesystem::remove(cache + ".new");
    std::filesystem::create_directory(cache + ".new");
    EXPECT_FALSE(SaveWorkedCache(cache, table, worked));
    EXPECT_EQ(vexa::test::slurp(cache), previous);
    std::filesystem::remove(cache + ".new");
    ASSERT_TRUE(SaveWorkedCache(cache, table, worked));
    EXPECT_NE(vexa::test::slurp(cache), previous);
}
