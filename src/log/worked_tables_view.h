// What the logbook reads of the country module's worked-status tables: the worked masks of
// countries, zones and states, per band (0..8) or over all bands (kAllBands).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vexa::log {

class WorkedTablesView {
public:
    static constexpr int kAllBands = -1;
    static constexpr int kCqZones = 40;
    static constexpr int kItuZones = 75;
    static constexpr int kWasStates = 51;

    virtual ~WorkedTablesView() = default;
    virtual std::size_t countryCount() const = 0;
    // 0 for an index outside the tables.
    virtual std::uint32_t countryMask(int band, int country) const = 0;
    virtual std::uint32_t cqZoneMask(int band, int zone) const = 0;   // zone 1..40
    virtual std::uint32_t ituZoneMask(int band, int zone) const = 0;  // zone 1..75
    virtual std::uint32_t wasMask(int band, int state) const = 0;     // state 1..51
};

}  // namespace vexa::log
