// The real country file of Debian's hamradio-files package, loaded once per test program, and
// small crafted files for the cases the real file lacks.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "country/country_table.h"
#include "country/worked_tables.h"
#include "support/temp_dir.h"

namespace vexa::test {

inline constexpr const char* kRealCountryFile = "/usr/share/hamradio-files/cty.dat";

inline const country::CountryTable& realCountryTable()
{
    static const country::CountryTable table = [] {
        country::CountryTable t;
        country::WorkedTables worked;
        country::LoadCountryFile(kRealCountryFile, t, worked);
        return t;
    }();
    return table;
}

// Loads `text` as a country file written to `dir`.
inline country::CountryTable craftedTable(const TempDir& dir, const std::string& text,
                                          const std::string& name = "cty.dat")
{
    country::CountryTable t;
    country::WorkedTables worked;
    EXPECT_TRUE(country::LoadCountryFile(dir.write(name, text), t, worked));
    return t;
}

}  // namespace vexa::test
