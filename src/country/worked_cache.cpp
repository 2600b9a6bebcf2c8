#include "country/worked_cache.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>

#include "common/atomic_file.h"
#include "country/country_info.h"
#include "country/country_table.h"
#include "country/worked_tables.h"

namespace vexa::country {

namespace {

void restoreLine(std::string_view key, const std::string& values, const CountryTable& table,
                 WorkedTables& worked)
{
    const int country = table.findPrimaryPrefix(key);
    if (country < 0) return;
    const std::optional<CountryInfo> info = GetCountryInfo(table, country);
    std::array<WorkedMask, kBandCount> bands{};
    int read = 0;
    std::size_t pos = 0;
    for (; read < kBandCount; ++read) {
        std::size_t space = values.find(' ', pos);
        if (space == std::string::npos) space = values.size();
        const std::string_view token(values.data() + pos, space - pos);
        pos = std::min(space + 1, values.size());
        WorkedMask value = 0;
        // A token that is not hexadecimal ends the line; the bands before it keep their values.
        if (!token.empty() &&
            std::from_chars(token.data(), token.data() + token.size(), value, 16).ec != std::errc())
            break;
        bands[static_cast<std::size_t>(read)] = value;
    }
    worked.restore(country, bands, read, ParseInteger(info->cqZone), ParseInteger(info->ituZone));
}

}  // namespace

bool LoadWorkedCache(const std::filesystem::path& path, const CountryTable& table, WorkedTables& worked)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t space = line.find(' ');
        if (space == std::string::npos || space == 0) continue;
        restoreLine(std::string_view(line).substr(0, space), line.substr(space + 1) + ' ', table, worked);
    }
    return true;
}

bool SaveWorkedCache(const std::filesystem::path& path, const CountryTable& table, const WorkedTables& worked)
{
    std::string text;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int country = static_cast<int>(i);
        if (worked.country(country) == 0) continue;
        text += HeaderField(table.header(i), 8);
        for (int band = 0; band < kBandCount; ++band) {
            char value[16];
            std::snprintf(value, sizeof value, " %x", worked.countryOnBand(band, country));
            text += value;
        }
        text += '\n';
    }
    return ReplaceFileAtomically(path, text);
}

}  // namespace vexa::country
