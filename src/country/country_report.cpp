#include "country/country_report.h"

#include <cstdio>

#include "common/band_plan.h"

namespace vexa::country {

namespace {

std::string firstWord(std::string_view text)
{
    auto separator = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t start = 0;
    while (start < text.size() && separator(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !separator(text[end])) ++end;
    return std::string(text.substr(start, end - start));
}

std::string bandTable(const WorkedTables& worked, int country)
{
    std::string text = "\r\n\r\nBand:\t cw/ssb/rtty/sstv/psk\r\n";
    for (int band = 0; band < kBandCount; ++band) {
        const WorkedMask m = worked.countryOnBand(band, country);
        char line[64];
        std::snprintf(line, sizeof line, "%5.1f:\t %2i/%3i/%4i/%4i/%4i\r\n", kBandPlan[band].lowEdge * 0.001,
                      (m & kWorkedCw) ? 1 : 0, (m & kWorkedSsb) ? 1 : 0, (m & kWorkedRtty) ? 1 : 0,
                      (m & kWorkedSstvFax) ? 1 : 0, (m & kWorkedPsk) ? 1 : 0);
        text += line;
    }
    return text;
}

}  // namespace

std::string CountryReport(const CountryTable& table, const WorkedTables& worked, const CountryMatch& match,
                          std::string_view lookupText, const GeoPosition& own, WorkedSources sources,
                          BearingIndicator& indicator)
{
    const CountryInfo& c = match.info;
    std::string text(lookupText);
    text += ":\r\n" + c.name + " (" + c.primaryPrefix + ")\r\n" + c.continent + "\r\nWAZ " + c.cqZone +
            "\r\nITU " + c.ituZone + "\r\n" +
            FormatPath(own.latitude, own.longitude, c.latitude, c.longitude, 0, indicator);
    const bool known =
        match.form == EntryForm::Plain ? sources.workedCacheRead || sources.logScanned : sources.logScanned;
    if (known) {
        // The worked tables count WAE-only entities for their DXCC country (Sicily for Italy).
        int country = match.index;
        if (table.isWaeOnly(static_cast<std::size_t>(country))) {
            const std::optional<CountryMatch> dxcc = FindPrefix(table, lookupText, Entities::DxccOnly);
            country = dxcc ? dxcc->index : -1;
        }
        text += bandTable(worked, country);
    }
    return text;
}

void ShowCountryInfo(const TextWindow& entryLine, Prompter& prompter, const CountryTable& table,
                     const WorkedTables& worked, const GeoPosition& own, WorkedSources sources,
                     BearingIndicator& indicator)
{
    const std::string all = entryLine.text();
    const int from = std::max(0, std::min(entryLine.selectionStart(), entryLine.selectionEnd()));
    const int to = std::min(static_cast<int>(all.size()),
                            std::max(entryLine.selectionStart(), entryLine.selectionEnd()));
    std::string lookup =
        from < to ? all.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)) : "";
    if (lookup.empty()) {
        const std::optional<std::string> answer = prompter.askText("DXCC INFO", firstWord(all));
        if (!answer) return;
        lookup = *answer;
    }
    for (char& ch : lookup)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    const std::optional<CountryMatch> match = FindPrefix(table, lookup);
    if (!match) return;
    prompter.inform(CountryReport(table, worked, *match, lookup, own, sources, indicator), "Beaming info");
}

}  // namespace vexa::country
