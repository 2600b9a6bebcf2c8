// Worked-status tables in memory for the logbook's alert and statistics tests: country masks
// per band and over all bands, and zone and WAS tables, set directly or by contact.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "log/worked_tables_view.h"

namespace vexa::test {

class FakeWorkedTables : public log::WorkedTablesView {
public:
    explicit FakeWorkedTables(int countries)
    {
        for (auto& t : m_countries) t.assign(static_cast<std::size_t>(countries), 0);
        for (auto& t : m_cq) t.assign(40, 0);
        for (auto& t : m_itu) t.assign(75, 0);
        for (auto& t : m_was) t.assign(51, 0);
    }
    // What the country module's RecordWorked does for a resolved contact.
    void work(int country, int band, std::uint32_t bit, int cqZone = 0, int ituZone = 0)
    {
        for (const int b : {band, kAllBands}) {
            m_countries[slot(b)][static_cast<std::size_t>(country)] |= bit;
            if (cqZone >= 1 && cqZone <= 40) m_cq[slot(b)][static_cast<std::size_t>(cqZone - 1)] |= bit;
            if (ituZone >= 1 && ituZone <= 75) m_itu[slot(b)][static_cast<std::size_t>(ituZone - 1)] |= bit;
        }
    }
    std::span<const std::uint32_t> countryMasks(int band) const override { return m_countries[slot(band)]; }
    std::span<const std::uint32_t> cqZoneMasks(int band) const override { return m_cq[slot(band)]; }
    std::span<const std::uint32_t> ituZoneMasks(int band) const override { return m_itu[slot(band)]; }
    std::span<const std::uint32_t> wasMasks(int band) const override { return m_was[slot(band)]; }

private:
    static std::size_t slot(int band) { return band == kAllBands ? 9 : static_cast<std::size_t>(band); }
    std::array<std::vector<std::uint32_t>, 10> m_countries;
    std::array<std::vector<std::uint32_t>, 10> m_cq;
    std::array<std::vector<std::uint32_t>, 10> m_itu;
    std::array<std::vector<std::uint32_t>, 10> m_was;
};

}  // namespace vexa::test
