// What a lookup tells about one country: the texts cut from its header line (or from the
// overrides of the prefix-list entry that matched) and its position.
#pragma once

#include <optional>
#include <string>

#include "country/format_path.h"

namespace vexa::country {

class CountryTable;

struct CountryInfo {
    std::string primaryPrefix;  // header field 8 as cut, a leading '*' kept
    std::string name;
    std::string continent;
    std::string cqZone;  // texts as cut ("05" from a header, "4" from "(4)"); ParseInteger for numbers
    std::string ituZone;
    std::string utcOffset;
    double latitude = 0.0;   // degrees, north-positive
    double longitude = 0.0;  // degrees, east-positive (the file's West-positive value negated)
};

// The country at `index` with its header's own values; nullopt when the index is outside the table.
std::optional<CountryInfo> GetCountryInfo(const CountryTable& table, int index);

// The short-path heading from the station to the country in whole degrees ("" when the station
// is at the country's position); refreshes `indicator`.
std::string BearingText(const GeoPosition& own, const CountryInfo& info, BearingIndicator& indicator);

}  // namespace vexa::country
