// `vexa-log lookup`: call signs to countries, positions, headings and distances.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "country/country_table.h"
#include "country/format_path.h"
#include "country/worked_tables.h"

namespace vexa::tools {

// The process exit status: 0 ran, 1 no country file could be read, 2 bad usage.
int runLookup(int argc, char** argv);

// One output line (without the line break) for `call`.
// Loads the country file `cty`, or without it the data directory's cty.dat, else the
// system's copy; false (with a message naming the files tried, for `command`) when none reads.
bool loadCountryData(const std::optional<std::filesystem::path>& cty, const char* command,
                     country::CountryTable& table, country::WorkedTables& worked);

std::string LookupLine(const country::CountryTable& table, const country::GeoPosition& own,
                       std::string_view call);

}  // namespace vexa::tools
