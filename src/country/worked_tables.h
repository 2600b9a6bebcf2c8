// Which countries and zones the station has worked, per band and per mode group, for the
// award hunter: the country report's band table, the new-country alerts and the logbook's
// statistics read these masks; every logged contact adds to them through RecordWorked.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/band_plan.h"

namespace vexa::country {

class CountryTable;

// A worked mask: one bit per mode group.
using WorkedMask = uint32_t;
inline constexpr WorkedMask kWorkedCw = 0x01;
inline constexpr WorkedMask kWorkedSsb = 0x02;
inline constexpr WorkedMask kWorkedRtty = 0x04;
inline constexpr WorkedMask kWorkedSstvFax = 0x08;
inline constexpr WorkedMask kWorkedPsk = 0x10;
inline constexpr WorkedMask kWorkedFsk = 0x20;

// The bit of a log record's mode text ("CW  ", "SSB ", "USB ", "LSB ", "RTTY", "SSTV", "FAX ",
// "PSK ", "FSK "), compared as the whole text; 0 for any other text.
WorkedMask WorkedModeBit(std::string_view modeText) noexcept;

class WorkedTables {
public:
    static constexpr int kCqZones = 40;
    static constexpr int kWasStates = 51;
    static constexpr int kItuZones = 75;

    // Every table at its full length (the zone tables at their zone counts, the country tables
    // at `countries`), every mask zero.
    void reset(std::size_t countries);
    // Every table at length 0: no country file was read.
    void clear();

    std::size_t countryCount() const noexcept { return m_country.size(); }
    bool sized() const noexcept { return !m_cqZone.empty(); }

    // Reads give 0 outside the tables, so callers need not check the lengths first.
    // `band` is 0..8 in band-plan order; `country` a country index; zones are 1-based.
    WorkedMask country(int country) const noexcept { return at(m_country, country); }
    WorkedMask countryOnBand(int band, int country) const noexcept;
    WorkedMask cqZone(int zone) const noexcept { return at(m_cqZone, zone - 1); }
    WorkedMask cqZoneOnBand(int band, int zone) const noexcept;
    WorkedMask ituZone(int zone) const noexcept { return at(m_ituZone, zone - 1); }
    WorkedMask ituZoneOnBand(int band, int zone) const noexcept;
    WorkedMask was(int state) const noexcept { return at(m_was, state - 1); }
    WorkedMask wasOnBand(int band, int state) const noexcept;

    // ORs `bits` into the band's and the all-band masks of the country and of the zones in
    // range (CQ 1..40, ITU 1..75; others touch no zone table).
    void add(int band, int country, int cqZone, int ituZone, WorkedMask bits) noexcept;
    // Restores one country from the cache: the first `count` band masks are assigned, the
    // all-band mask becomes their OR, and the zones in range get them ORed in.
    void restore(int country, const std::array<WorkedMask, kBandCount>& bands, int count, int cqZone,
                 int ituZone) noexcept;

private:
    static WorkedMask at(const std::vector<WorkedMask>& v, int i) noexcept
    {
        return i >= 0 && static_cast<std::size_t>(i) < v.size() ? v[static_cast<std::size_t>(i)] : 0;
    }
    static void orInto(std::vector<WorkedMask>& v, int i, WorkedMask bits) noexcept
    {
        if (i >= 0 && static_cast<std::size_t>(i) < v.size()) v[static_cast<std::size_t>(i)] |= bits;
    }
    static bool validBand(int band) noexcept { return band >= 0 && band < kBandCount; }

    std::vector<WorkedMask> m_country;
    std::vector<WorkedMask> m_cqZone;
    std::vector<WorkedMask> m_was;
    std::vector<WorkedMask> m_ituZone;
    std::array<std::vector<WorkedMask>, kBandCount> m_bandCountry;
    std::array<std::vector<WorkedMask>, kBandCount> m_bandCqZone;
    std::array<std::vector<WorkedMask>, kBandCount> m_bandWas;
    std::array<std::vector<WorkedMask>, kBandCount> m_bandItuZone;
};

// Adds one logged contact: the call's DXCC country (WAE-only entities count for the country
// the call resolves to without them), the band of `hz` and the bit of `modeText`. False, with
// nothing recorded, when the call resolves to no country, `hz` lies in no band or the mode
// text is not one of the mode groups.
bool RecordWorked(const CountryTable& table, WorkedTables& worked, std::string_view call, int64_t hz,
                  std::string_view modeText);

}  // namespace vexa::country
