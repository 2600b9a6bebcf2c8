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
    std::size_t countryCount() const override { return m_countries[0].size(); }
    std::uint32_t countryMask(int band, int country) const override
    {
        return at(m_countries[slot(band)], country);
    }
    std::uint32_t cqZoneMask(int band, int zone) const override { return at(m_cq[slot(band)], zone - 1); }
    std::uint32_t ituZoneMask(int band, int zone) const override { return at(m_itu[slot(band)], zone - 1); }
    std::uint32_t wasMask(int band, int state) const override { return at(m_was[slot(band)], state - 1); }

private:
    static std::uint32_t at(const std::vector<std::uint32_t>& v, int i)
    {
        return i >= 0 && static_cast<std::size_t>(i) < v.size() ? v[static_cast<std::size_t>(i)] : 0;
    }
    static std::size_t slot(int band) { return band == kAllBands ? 9 : static_cast<std::size_t>(band); }
    std::array<std::vector<std::uint32_t>, 10> m_countries;
    std::array<std::vector<std::uint32_t>, 10> m_cq;
    std::array<std::vector<std::uint32_t>, 10> m_itu;
    std::array<std::vector<std::uint32_t>, 10> m_was;
};

}  // namespace vexa::test
