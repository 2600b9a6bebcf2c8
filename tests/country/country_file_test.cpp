// The country file as read into the table: how lines join into countries, how header fields
// are cut, and what a missing file leaves behind.
#include <gtest/gtest.h>

#include "country/country_info.h"
#include "country/country_table.h"
#include "country/worked_tables.h"
#include "support/temp_dir.h"

using namespace vexa::country;

namespace {

}  // namespace

TEST(LoadCountryFile, JoinsLinesIntoCountriesByTheFileRules)
{
    vexa::test::TempDir dir;
    const std::string path = dir.write("cty.dat",
                                       "    EARLY,\r\n"
                                       "First:  14:  28:  EU:   50.00:    -8.00:    -1.0:  FA:\r\n"
                                       "    FA,FB;\r\n"
                                       "Lonely:  1:  2:  NA:  1.0:  2.0:  0.0:  LO:\n"
                                       "Split:  05:  08:  NA:   37.60:    91.87:     5.0:  K:\n"
                                       "    K,W,N,\n"
                                       "    AA,AB;\n"
                                       "Spaces:  1:  1:  AS:  0:  0:  0:  T6:\n"
                                       "    T6, Y A;\n"
                                       "\tTAB,\n"
                                       "\x80High:  1:  1:  AS:  0:  0:  0:  HI:\n"
                                       "Short:  3:  4\n"
                                       "Last:  9:  9:  SA:  -10.5:  60.25:  3.0:  *LA:\n"
                                       "    LA;\n");
    CountryTable table;
    WorkedTables worked;
    ASSERT_TRUE(LoadCountryFile(path, table, worked));
    ASSERT_EQ(table.size(), 6u);
    EXPECT_EQ(table.header(0), "First:  14:  28:  EU:   50.00:    -8.00:    -1.0:  FA:");
    EXPECT_EQ(table.prefixes(0), ",EARLY,FA,FB,");  // lines before the first header join it
    EXPECT_EQ(table.prefixes(1), ",");              // header right after a header
    EXPECT_EQ(table.prefixes(2), ",K,W,N,AA,AB,");
    // Spaces vanish, tabs stay, and a line starting above 127 continues the list.
    EXPECT_EQ(table.prefixes(3), ",T6,YA,\tTAB,\x80High:1:1:AS:0:0:0:HI:");
    EXPECT_EQ(table.prefixes(4), ",");
    EXPECT_EQ(table.prefixes(5), ",LA,");
    EXPECT_TRUE(table.isWaeOnly(5));
    EXPECT_FALSE(table.isWaeOnly(0));
    EXPECT_EQ(worked.countryCount(), 6u);

    const auto first = GetCountryInfo(table, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->name, "First");
    EXPECT_EQ(first->cqZone, "14");
    EXPECT_EQ(first->continent, "EU");
    EXPECT_DOUBLE_EQ(first->latitude, 50.0);
    EXPECT_DOUBLE_EQ(first->longitude, 8.0);  // the file's West-positive value, negated
    EXPECT_EQ(first->primaryPrefix, "FA");

    const auto shortHeader = GetCountryInfo(table, 4);
    ASSERT_TRUE(shortHeader);
    EXPECT_EQ(shortHeader->cqZone, "3");
    EXPECT_EQ(shortHeader->ituZone, "");  // no ':' after it
    EXPECT_EQ(shortHeader->primaryPrefix, "");
    EXPECT_EQ(shortHeader->latitude, 0.0);

    EXPECT_FALSE(GetCountryInfo(table, -1));
    EXPECT_FALSE(GetCountryInfo(table, 6));
}

TEST(LoadCountryFile, MissingFileLeavesEverythingEmptyAndReloadReplaces)
{
    vexa::test::TempDir dir;
    CountryTable table;
    WorkedTables worked;
    ASSERT_TRUE(LoadCountryFile(dir.write("cty.dat", "A:1:2:EU:0:0:0:A:\n  A;\n"), table, worked));
    worked.add(0, 0, 1, 2, kWorkedCw);
    ASSERT_TRUE(LoadCountryFile(dir.file("cty.dat"), table, worked));  // the window built a second time
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(worked.country(0), 0u);

    EXPECT_FALSE(LoadCountryFile(dir.file("none.dat"), table, worked));
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(worked.sized());
    EXPECT_EQ(worked.countryCount(), 0u);
}

TEST(HeaderField, NumbersReadLikeTheCLibraryWhateverTheLocale)
{
    EXPECT_DOUBLE_EQ(ParseDecimal("  -12.43"), -12.43);
    EXPECT_DOUBLE_EQ(ParseDecimal("+3.5xyz"), 3.5);
    EXPECT_EQ(ParseDecimal("abc"), 0.0);
    EXPECT_EQ(ParseInteger(" 05"), 5);
    EXPECT_EQ(ParseInteger(""), 0);
    EXPECT_EQ(HeaderField("Name :  12 : x:", 1), "Name ");
    EXPECT_EQ(HeaderField("Name :  12 : x:", 2), "12 ");
    EXPECT_EQ(HeaderField("Name :  12 : x:", 4), "");
}
