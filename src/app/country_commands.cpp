#include "app/country_commands.h"

#include "app/app_paths.h"
#include "country/country_report.h"
#include "country/worked_cache.h"

namespace vexa::app {

namespace {

constexpr const char* kWorkedCacheFile = "qcty.dat";

std::string firstWord(const std::string& text)
{
    auto separator = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t start = 0;
    while (start < text.size() && separator(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !separator(text[end])) ++end;
    return text.substr(start, end - start);
}

}  // namespace

CountryCommands::CountryCommands(CountryData& data, const StationData& station, const TextWindow& entryLine,
                                 Prompter& prompter)
    : m_data(data), m_station(station), m_entryLine(entryLine), m_prompter(prompter), m_picture(m_map.image())
{
}

void CountryCommands::addCommands(CommandTable& table)
{
    table[ControlId::Info] = table[ControlId::InfoKey] = [this] {
        country::ShowCountryInfo(m_entryLine, m_prompter, m_data.table, m_data.worked,
                                 {m_station.latitude, m_station.longitude},
                                 {m_data.workedCacheRead, m_data.logScanned}, m_data.indicator);
        forgetLookup();
    };
}

void CountryCommands::load()
{
    // A window rebuilt for the other layout finds everything loaded; loading again would
    // drop the contacts recorded since the start.
    if (m_data.loaded) return;
    if (country::LoadCountryFile(countryFilePath(), m_data.table, m_data.worked))
        (void)country::LoadWorkedCache(kWorkedCacheFile, m_data.table, m_data.worked);
    m_data.workedCacheRead = true;
    m_data.loaded = true;
}

bool CountryCommands::save()
{
    if (m_data.table.empty()) return true;
    return country::SaveWorkedCache(kWorkedCacheFile, m_data.table, m_data.worked);
}

bool CountryCommands::showStation()
{
    if (!m_map.draw(m_station.latitude, m_station.longitude)) return false;
    compose();
    return true;
}

bool CountryCommands::tick(bool applicationHasFocus, const std::string& selectedCall)
{
    if (!applicationHasFocus) {
        m_lastLookupCall.reset();
        return false;
    }
    const std::string call = firstWord(selectedCall.empty() ? m_entryLine.text() : selectedCall);
    if (m_lastLookupCall == call) return false;
    m_lastLookupCall = call;
    m_overlay = country::MapOverlayFor(m_data.table, call, {m_station.latitude, m_station.longitude},
                                       m_data.indicator);
    compose();
    return true;
}

void CountryCommands::compose()
{
    m_picture = m_map.image();
    if (m_overlay) {
        m_picture.drawLine(country::MapOverlay::kCentre, country::MapOverlay::kCentre, m_overlay->lineEnd.x,
                           m_overlay->lineEnd.y, display::kMapBeam);
    }
}

}  // namespace vexa::app
