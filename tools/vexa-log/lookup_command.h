// `vexa-log lookup`: call signs to countries, positions, headings and distances.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "country/country_table.h"
#include "country/format_path.h"

namespace vexa::tools {

// The process exit status: 0 ran, 1 no country file could be read, 2 bad usage.
int runLookup(int argc, char** argv);

// One output line (without the line break) for `call`.
std::string LookupLine(const country::CountryTable& table, const country::GeoPosition& own,
                       std::string_view call);

}  // namespace vexa::tools
