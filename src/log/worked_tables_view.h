// What the logbook reads of the country module's worked-status tables: the country masks
// per band and over all bands, and the zone and WAS tables. Band -1 means all bands.
#pragma once

#include <cstdint>
#include <span>

namespace vexa::log {

class WorkedTablesView {
public:
    static constexpr int kAllBands = -1;
    virtual ~WorkedTablesView() = default;
    // Indexed by country index; band 0..8 or kAllBands.
    virtual std::span<const std::uint32_t> countryMasks(int band) const = 0;
    virtual std::span<const std::uint32_t> cqZoneMasks(int band) const = 0;
    virtual std::span<const std::uint32_t> ituZoneMasks(int band) const = 0;
    virtual std::span<const std::uint32_t> wasMasks(int band) const = 0;
};

}  // namespace vexa::log
