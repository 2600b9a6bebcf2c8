// The statistics text. The FSK bit (0x20) is counted in the total column only.
#include "log/statistics.h"

#include <cstdio>

#include "common/band_plan.h"

namespace vexa::log {

namespace {

template <typename Mask>
int count(int n, Mask mask, std::uint32_t bits)
{
    int found = 0;
    for (int i = 0; i < n; ++i) found += (mask(i) & bits) != 0;
    return found;
}

void appendRow(std::string& out, const char* head, const WorkedTablesView& t, int band)
{
    const auto country = [&](int i) { return t.countryMask(band, i); };
    const int countries = static_cast<int>(t.countryCount());
    const int total = count(countries, country, ~0u);
    const int waz = count(
        WorkedTablesView::kCqZones, [&](int z) { return t.cqZoneMask(band, z + 1); }, ~0u);
    const int itu = count(
        WorkedTablesView::kItuZones, [&](int z) { return t.ituZoneMask(band, z + 1); }, ~0u);
    const int was = count(
        WorkedTablesView::kWasStates, [&](int s) { return t.wasMask(band, s + 1); }, ~0u);
    char row[160];
    std::snprintf(row, sizeof row, "%s\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\r\n", head, total,
                  count(countries, country, 0x01), count(countries, country, 0x02),
                  count(countries, country, 0x04), count(countries, country, 0x10),
                  count(countries, country, 0x08), waz, itu, was);
    out += row;
}

}  // namespace

std::string FormatStatistics(const WorkedTablesView& tables, std::optional<int> qsoTotal)
{
    std::string out = "\r\nBand\ttotal\tcw\tssb\trtty\tpsk31\tsstv\twaz\titu\twas\r\n";
    for (int b = 0; b < kBandCount; ++b) {
        char head[16];
        std::snprintf(head, sizeof head, "%5.1f:", kBandPlan[static_cast<std::size_t>(b)].lowEdge * 0.001);
        appendRow(out, head, tables, b);
    }
    appendRow(out, "TOTAL:", tables, WorkedTablesView::kAllBands);
    if (qsoTotal) {
        char line[48];
        std::snprintf(line, sizeof line, "\r\nQSOs total: %i\r\n", *qsoTotal);
        out += line;
    }
    return out;
}

}  // namespace vexa::log
