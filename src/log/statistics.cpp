// The statistics text. The FSK bit (0x20) is counted in the total column only.
#include "log/statistics.h"

#include <cstdio>

#include "common/band_plan.h"

namespace vexa::log {

namespace {

int nonZero(std::span<const std::uint32_t> masks)
{
    int n = 0;
    for (const std::uint32_t m : masks) n += m != 0;
    return n;
}

int withBit(std::span<const std::uint32_t> masks, std::uint32_t bit)
{
    int n = 0;
    for (const std::uint32_t m : masks) n += (m & bit) != 0;
    return n;
}

void appendRow(std::string& out, const char* head, const WorkedTablesView& t, int band)
{
    const auto c = t.countryMasks(band);
    char row[160];
    std::snprintf(row, sizeof row, "%s\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\t%3i\r\n", head, nonZero(c),
                  withBit(c, 0x01), withBit(c, 0x02), withBit(c, 0x04), withBit(c, 0x10), withBit(c, 0x08),
                  nonZero(t.cqZoneMasks(band)), nonZero(t.ituZoneMasks(band)), nonZero(t.wasMasks(band)));
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
