#include "country/worked_tables.h"

#include "country/country_table.h"
#include "country/find_country.h"

namespace vexa::country {

WorkedMask WorkedModeBit(std::string_view modeText) noexcept
{
    struct Group {
        std::string_view text;
        WorkedMask bit;
    };
    static constexpr std::array<Group, 9> kGroups = {{
        {"CW  ", kWorkedCw},
        {"SSB ", kWorkedSsb},
        {"USB ", kWorkedSsb},
        {"LSB ", kWorkedSsb},
        {"RTTY", kWorkedRtty},
        {"SSTV", kWorkedSstvFax},
        {"FAX ", kWorkedSstvFax},
        {"PSK ", kWorkedPsk},
        {"FSK ", kWorkedFsk},
    }};
    for (const Group& g : kGroups)
        if (g.text == modeText) return g.bit;
    return 0;
}

void WorkedTables::reset(std::size_t countries)
{
    m_country.assign(countries, 0);
    m_cqZone.assign(kCqZones, 0);
    m_was.assign(kWasStates, 0);
    m_ituZone.assign(kItuZones, 0);
    for (int b = 0; b < kBandCount; ++b) {
        m_bandCountry[b].assign(countries, 0);
        m_bandCqZone[b].assign(kCqZones, 0);
        m_bandWas[b].assign(kWasStates, 0);
        m_bandItuZone[b].assign(kItuZones, 0);
    }
}

void WorkedTables::clear()
{
    *this = WorkedTables();
}

WorkedMask WorkedTables::countryOnBand(int band, int country) const noexcept
{
    return validBand(band) ? at(m_bandCountry[band], country) : 0;
}

WorkedMask WorkedTables::cqZoneOnBand(int band, int zone) const noexcept
{
    return validBand(band) ? at(m_bandCqZone[band], zone - 1) : 0;
}

WorkedMask WorkedTables::ituZoneOnBand(int band, int zone) const noexcept
{
    return validBand(band) ? at(m_bandItuZone[band], zone - 1) : 0;
}

WorkedMask WorkedTables::wasOnBand(int band, int state) const noexcept
{
    return validBand(band) ? at(m_bandWas[band], state - 1) : 0;
}

void WorkedTables::add(int band, int country, int cqZone, int ituZone, WorkedMask bits) noexcept
{
    if (!validBand(band)) return;
    orInto(m_country, country, bits);
    orInto(m_bandCountry[band], country, bits);
    // A zone outside the valid range (0 for an unreadable field) must not land in a
    // neighbouring entry.
    if (ituZone >= 1 && ituZone <= kItuZones) {
        orInto(m_bandItuZone[band], ituZone - 1, bits);
        orInto(m_ituZone, ituZone - 1, bits);
    }
    if (cqZone >= 1 && cqZone <= kCqZones) {
        orInto(m_bandCqZone[band], cqZone - 1, bits);
        orInto(m_cqZone, cqZone - 1, bits);
    }
}

void WorkedTables::restore(int country, const std::array<WorkedMask, kBandCount>& bands, int count,
                           int cqZone, int ituZone) noexcept
{
    if (country < 0 || static_cast<std::size_t>(country) >= m_country.size()) return;
    const bool cqValid = cqZone >= 1 && cqZone <= kCqZones;
    const bool ituValid = ituZone >= 1 && ituZone <= kItuZones;
    WorkedMask all = 0;
    for (int b = 0; b < count && b < kBandCount; ++b) {
        m_bandCountry[b][static_cast<std::size_t>(country)] = bands[b];
        if (ituValid) orInto(m_bandItuZone[b], ituZone - 1, bands[b]);
        if (cqValid) orInto(m_bandCqZone[b], cqZone - 1, bands[b]);
        all |= bands[b];
    }
    m_country[static_cast<std::size_t>(country)] = all;
    if (ituValid) orInto(m_ituZone, ituZone - 1, all);
    if (cqValid) orInto(m_cqZone, cqZone - 1, all);
}

bool RecordWorked(const CountryTable& table, WorkedTables& worked, std::string_view call, int64_t hz,
                  std::string_view modeText)
{
    const std::optional<CountryMatch> match = FindCountry(table, call, Entities::DxccOnly);
    if (!match) return false;
    const int band = FindBand(hz);
    if (band < 0) return false;
    const WorkedMask bit = WorkedModeBit(modeText);
    if (bit == 0) return false;
    worked.add(band, match->index, ParseInteger(match->info.cqZone), ParseInteger(match->info.ituZone), bit);
    return true;
}

}  // namespace vexa::country
