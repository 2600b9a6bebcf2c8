// The country module's worked-status tables as the logbook sees them: the view the alerts and
// statistics read, and the recorder every logged contact goes through.
#pragma once

#include <string>
#include <string_view>

#include "common/operating_mode.h"
#include "country/country_table.h"
#include "country/find_country.h"
#include "country/worked_tables.h"
#include "log/contact_recorder.h"
#include "log/worked_alert.h"
#include "log/worked_calls.h"
#include "log/worked_tables_view.h"

namespace vexa::log {

class CountryWorkedTablesView final : public WorkedTablesView {
public:
    explicit CountryWorkedTablesView(const country::WorkedTables& tables) : m_tables(tables) {}
    std::size_t countryCount() const override { return m_tables.countryCount(); }
    std::uint32_t countryMask(int band, int country) const override
    {
        return band == kAllBands ? m_tables.country(country) : m_tables.countryOnBand(band, country);
    }
    std::uint32_t cqZoneMask(int band, int zone) const override
    {
        return band == kAllBands ? m_tables.cqZone(zone) : m_tables.cqZoneOnBand(band, zone);
    }
    std::uint32_t ituZoneMask(int band, int zone) const override
    {
        return band == kAllBands ? m_tables.ituZone(zone) : m_tables.ituZoneOnBand(band, zone);
    }
    std::uint32_t wasMask(int band, int state) const override
    {
        return band == kAllBands ? m_tables.was(state) : m_tables.wasOnBand(band, state);
    }

private:
    const country::WorkedTables& m_tables;
};

// `RecordWorked` of the country module for the contacts Save and the scan parse.
class CountryContactRecorder final : public ContactRecorder {
public:
    CountryContactRecorder(const country::CountryTable& table, country::WorkedTables& worked)
        : m_table(table), m_worked(worked)
    {
    }
    void RecordWorked(std::string_view call, int frequencyHz, std::string_view modeText) override
    {
        country::RecordWorked(m_table, m_worked, call, frequencyHz, modeText);
    }

private:
    const country::CountryTable& m_table;
    country::WorkedTables& m_worked;
};

// The alert for `call` with its country resolved as the worked tables count it: a call of a
// WAE-only entity (Sicily) counts for its DXCC country (Italy).
inline std::string ComputeCountryAlert(std::string_view call, const country::CountryTable& table,
                                       const country::WorkedTables& tables, int signalFrequencyHz,
                                       OperatingMode mode, const WorkedCalls& worked)
{
    const auto match = country::FindCountry(table, call, country::Entities::DxccOnly);
    const CountryWorkedTablesView view(tables);
    return ComputeAlert(call, match ? match->index : -1, signalFrequencyHz, mode, worked, &view);
}

}  // namespace vexa::log
