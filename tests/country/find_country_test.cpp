// Call-sign resolution against Debian's real country file and crafted files.
#include "country/find_country.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "country/country_info.h"
#include "tests/country/country_fixture.h"

using namespace vexa::country;
using vexa::test::craftedTable;
using vexa::test::realCountryTable;

namespace {

std::string prefixOf(const CountryTable& table, std::string_view call, Entities e = Entities::All)
{
    const auto m = FindCountry(table, call, e);
    return m ? m->info.primaryPrefix : "-1";
}

}  // namespace

TEST(FindCountry, RealCallsResolveAsTheFileMeansThem)
{
    const CountryTable& table = realCountryTable();
    ASSERT_GT(table.size(), 300u) << "hamradio-files must be installed";
    struct Case {
        const char* call;
        const char* country;  // primary prefix
        const char* dxcc;     // with WAE-only entities skipped
    };
    for (const Case& c : {
             Case{"DL1ABC", "DL", "DL"},
             Case{"dl1abc/p", "DL", "DL"},
             Case{"W1ABC/QRP", "K", "K"},
             Case{"W1ABC/MM", "K", "K"},
             Case{"W1ABC/", "K", "K"},
             Case{"W1ABC/VE3/P", "VE", "VE"},  // the trailing /P goes first
             Case{"W8LR/R", "K", "K"},         // a rover, not European Russia
             Case{"G4ABC/LH", "G", "G"},
             Case{"VE1CWJ/VP9", "VP9", "VP9"},
             Case{"VP2E/W1ABC", "VP2E", "VP2E"},
             Case{"KG4AB", "KG4", "KG4"},
             Case{"KH6XX", "KH6", "KH6"},
             Case{"3D2AG/P", "3D2/r", "3D2/r"},  // "=" call listed with its suffix
             Case{"3d2eu/p", "3D2/r", "3D2/r"},  // "=" call found after stripping
             Case{"3DA0BP/J/P", "3DA", "3DA"},   // "=3DA0BP/J" without the trailing /P
             Case{"SV2RSG/A", "SV/a", "SV/a"},
             Case{"SV2ABC", "SV", "SV"},
             Case{"IT9ABC", "*IT9", "I"},  // Sicily counts as Italy
             Case{"4U1VIC", "*4U1V", "OE"},
             Case{"GB2ELH/LH", "*GM/s", "GM"},  // listed under Shetland and under Scotland
             Case{"GM3ABC", "GM", "GM"},
             Case{"VK2ABC", "VK", "VK"},
         }) {
        EXPECT_EQ(prefixOf(table, c.call), c.country) << c.call;
        EXPECT_EQ(prefixOf(table, c.call, Entities::DxccOnly), c.dxcc) << c.call;
    }
}

TEST(FindCountry, JunkNeverCrashesAndFindsWhatTheSearchFinds)
{
    const CountryTable& table = realCountryTable();
    for (std::string_view junk : {"", "/", "//", "///P", "W1//P", "12345", "\xff\xfe\x80", "=", "=3D2AG", ",",
                                  "K(", "K,W", "(5)", "\t", "W1ABC/P/QRP/X/Y/Z/1/2"}) {
        const auto m = FindCountry(table, junk);
        if (m) {
            EXPECT_LT(m->index, static_cast<int>(table.size())) << junk;
        }
    }
    EXPECT_FALSE(FindCountry(table, ""));
    EXPECT_FALSE(FindCountry(table, "=3D2AG"));  // "=" entries are never prefixes
    EXPECT_EQ(prefixOf(table, "12345"), "-1");
    EXPECT_EQ(prefixOf(table, "K,W"), "K");  // the search does not stop at a comma in the call
}

// The index must answer exactly as a plain substring search over the prefix lists would.
TEST(FindCountry, IndexAgreesWithTheSubstringSearch)
{
    const CountryTable& table = realCountryTable();
    auto naive = [&](std::string working) -> int {
        for (std::string search = "," + working; !search.empty(); search.pop_back()) {
            for (std::size_t i = 0; i < table.size(); ++i) {
                const std::string& list = table.searchList(i);
                if (list.find(search) == std::string::npos) continue;
                for (char end : std::string_view(",([<{~"))
                    if (list.find(search + end) != std::string::npos) return static_cast<int>(i);
            }
        }
        return -1;
    };
    std::set<std::string> probes;
    for (std::size_t i = 0; i < table.size(); i += 3) {
        const std::string& list = table.searchList(i);
        for (std::size_t c = 0; c + 1 < list.size(); c = list.find(',', c + 1)) {
            const std::string entry = list.substr(c + 1, list.find_first_of(",([", c + 1) - c - 1);
            probes.insert(entry + "XYZ");
            probes.insert(entry.substr(0, entry.size() / 2) + "Q");
            if (probes.size() > 1500) break;
        }
    }
    for (const std::string& p : probes) {
        const auto m = FindPrefix(table, p);
        ASSERT_EQ(m ? m->index : -1, naive(p)) << p;
    }
}

TEST(FindCountry, CraftedMarkersZonesAndLongestPrefix)
{
    vexa::test::TempDir dir;
    const CountryTable table = craftedTable(dir,
                                            "USA:  05:  08:  NA:  37.60:  91.87:  5.0:  K:\n"
                                            "    K,W,KG4(8)[11],=K1XYZ(3),N<40.0/74.0>{SA}~-4.5~,NX[7];\n"
                                            "Hawaii:  31:  61:  OC:  21.12:  157.48:  10.0:  KH6:\n"
                                            "    KH6,K,=K1XYZ;\n"
                                            "Australia:  30:  59:  OC:  -23.70:  -132.33:  -10.0:  VK:\n"
                                            "    VK;\n");
    struct Case {
        const char* call;
        const char* name;
        const char* cq;
        const char* itu;
    };
    for (const Case& c : {Case{"KH6XX", "Hawaii", "31", "61"}, Case{"K1XX", "USA", "05", "08"},
                          Case{"KG4AB", "USA", "8", "11"}, Case{"K1XYZ", "USA", "3", "08"},
                          Case{"NX1A", "USA", "05", "7"}, Case{"W1ABC/KH6", "Hawaii", "31", "61"}}) {
        const auto m = FindCountry(table, c.call);
        ASSERT_TRUE(m) << c.call;
        EXPECT_EQ(m->info.name, c.name) << c.call;
        EXPECT_EQ(m->info.cqZone, c.cq) << c.call;
        EXPECT_EQ(m->info.ituZone, c.itu) << c.call;
    }
    const auto n = FindCountry(table, "N2ABC");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->info.continent, "SA");
    EXPECT_EQ(n->info.utcOffset, "-4.5");
    EXPECT_DOUBLE_EQ(n->info.latitude, 40.0);
    EXPECT_DOUBLE_EQ(n->info.longitude, -74.0);

    // Call areas give the bearing position in Australia; VK1 keeps the country's own.
    const auto vk2 = FindCountry(table, "vk2abc");
    ASSERT_TRUE(vk2);
    EXPECT_DOUBLE_EQ(vk2->info.latitude, -33.88);
    EXPECT_DOUBLE_EQ(vk2->info.longitude, 151.17);
    const auto vk8 = FindCountry(table, "VK8AA");
    EXPECT_DOUBLE_EQ(vk8->info.latitude, -13.0);
    const auto vk1 = FindCountry(table, "VK1ABC");
    EXPECT_DOUBLE_EQ(vk1->info.latitude, -23.70);
    EXPECT_DOUBLE_EQ(vk1->info.longitude, 132.33);
    // The Info command's search uses no call area.
    EXPECT_DOUBLE_EQ(FindPrefix(table, "VK2ABC")->info.latitude, -23.70);
}

TEST(StripPortableDesignators, FollowsTheCallAreaAndShorterPartRules)
{
    struct Case {
        const char* call;
        const char* working;
    };
    for (const Case& c : {Case{"W1ABC/P", "W1ABC"}, Case{"W1ABC/QRP", "W1ABC"}, Case{"W1ABC/", "W1ABC"},
                          Case{"W1ABC/4", "W4ABC"}, Case{"9A1AA/3", "9A3AA"}, Case{"W1/4", "W1"},
                          Case{"ABC/5", "ABC"}, Case{"VP2E/W1ABC", "VP2E"}, Case{"W1ABC/VP2E", "VP2E"},
                          Case{"ABCD/EFGH", "ABCD"}, Case{"W1ABC/X", "X"}, Case{"w1abc/ve3/p", "VE3"},
                          Case{"W8LR/R", "W8LR"}, Case{"K1A/SOTA/P", "K1A"}, Case{"/", ""}}) {
        EXPECT_EQ(StripPortableDesignators(c.call), c.working) << c.call;
    }
}

// Every "=" call of the real file comes back to the entry that lists it (by the prefixes
// alone, most would not); the counts are printed for the release notes.
TEST(FindCountry, TheFilesOwnWholeCallsResolveToTheirEntries)
{
    const CountryTable& table = realCountryTable();
    int total = 0;
    int own = 0;
    int ownWithoutWholeCallRule = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string& list = table.prefixes(i);
        for (std::size_t at = list.find(",="); at != std::string::npos; at = list.find(",=", at + 1)) {
            const std::string call = list.substr(at + 2, list.find_first_of(",([<{~", at + 2) - at - 2);
            ++total;
            // The file lists some calls under a WAE entity and again under its DXCC country.
            const auto m = FindCountry(table, call, table.isWaeOnly(i) ? Entities::All : Entities::DxccOnly);
            if (m && m->index == static_cast<int>(i)) ++own;
            const std::string working = StripPortableDesignators(call);
            std::optional<CountryMatch> prefixOnly;
            for (std::size_t n = working.size() + 1; n-- > 0 && !prefixOnly;) {
                const auto* hits = table.prefixHits(std::string_view(working).substr(0, n));
                if (hits != nullptr) prefixOnly = CountryMatch{hits->front().country};
            }
            if (prefixOnly && prefixOnly->index == static_cast<int>(i)) ++ownWithoutWholeCallRule;
        }
    }
    std::printf("\"=\" calls in the file: %d; resolving to their own entry: %d (by prefix alone: %d)\n",
                total, own, ownWithoutWholeCallRule);
    EXPECT_GT(total, 10000);
    EXPECT_EQ(own, total);
}
