#include "country/country_info.h"

#include "country/country_table.h"

namespace vexa::country {

std::optional<CountryInfo> GetCountryInfo(const CountryTable& table, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return std::nullopt;
    const std::string& header = table.header(static_cast<std::size_t>(index));
    CountryInfo info;
    info.name = HeaderField(header, 1);
    info.cqZone = HeaderField(header, 2);
    info.ituZone = HeaderField(header, 3);
    info.continent = HeaderField(header, 4);
    info.latitude = ParseDecimal(HeaderField(header, 5));
    info.longitude = -ParseDecimal(HeaderField(header, 6));
    info.utcOffset = HeaderField(header, 7);
    info.primaryPrefix = HeaderField(header, 8);
    return info;
}

std::string BearingText(const GeoPosition& own, const CountryInfo& info, BearingIndicator& indicator)
{
    return FormatPath(own.latitude, own.longitude, info.latitude, info.longitude, 1, indicator);
}

}  // namespace vexa::country
