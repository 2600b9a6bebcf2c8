#include "display/frequency_map.h"

#include <cstdio>
#include <cstdlib>

#include "common/band_plan.h"
#include "display/tiny_font.h"

namespace vexa::display {
namespace {

// The scale is laid out to this depth whatever the control's height.
constexpr int kScaleDepth = 1111;

}  // namespace

bool FrequencyMapDial::update(int dialHz, int pixelsPerKhz, bool force)
{
    if (dialHz == 0) return false;
    const int khz = dialHz / 1000;
    const int offset = (dialHz % 1000) * pixelsPerKhz / 1000;
    const bool moved = khz != m_khz || offset != m_offset;
    m_khz = khz;
    m_offset = offset;
    return force || moved;
}

std::string markLabel(int slot, const FrequencyMark& mark, std::time_t now)
{
    if (slot < FrequencyMarks::kFirstRingSlot) return std::to_string(slot + 1) + ":" + mark.label;
    if (!mark.label.empty() && mark.label[0] == '+') {
        const std::time_t age = now - mark.time;
        const char* prefix = age < 10 * 60 ? " *" : age < 20 * 60 ? " =" : age < 60 * 60 ? " +" : " -";
        return prefix + mark.label.substr(1);
    }
    return " :" + mark.label;
}

FrequencyMapLayout layoutFrequencyMap(const FrequencyMapGeometry& g, const FrequencyMapDial& dial,
                                      int signalHz, OperatingMode operatingMode, const FrequencyMarks& marks,
                                      std::time_t now)
{
    FrequencyMapLayout out;
    const int v = g.pixelsPerKhz > 0 ? g.pixelsPerKhz : 1;
    out.yc = g.height / 2;
    const int yc = out.yc;
    switch (operatingMode) {
        case OperatingMode::Usb:
            out.passband = {yc, yc + 3 * v};
            break;
        case OperatingMode::Lsb:
            out.passband = {yc - 3 * v, yc};
            break;
        case OperatingMode::Am:
            out.passband = {yc - 3 * v, yc + 3 * v};
            break;
        case OperatingMode::Fm:
            out.passband = {yc - 6 * v, yc + 6 * v};
            break;
        default:
            break;
    }

    int y = yc - dial.offset();
    long long khz = dial.khz();
    while (y > 0) {
        y -= v;
        --khz;
    }
    out.lowestHz = khz * 1000;
    char number[24];
    for (; y < kScaleDepth; y += v, ++khz) {
        out.tickYs.push_back(y);
        if (khz % 5 == 0) {
            std::snprintf(number, sizeof number, "%5lld", khz);
            out.texts.push_back({y, number, 2});
        }
        out.highestHz = khz * 1000;
    }

    const auto yOf = [&](long long hz) {
        return static_cast<int>((hz / 1000 - dial.khz()) * v + yc + v * (hz % 1000) / 1000 - dial.offset());
    };
    const auto place = [&](long long hz, std::string text) {
        if (hz < out.lowestHz || hz > out.highestHz) return false;
        out.texts.push_back({yOf(hz), std::move(text), g.x0 + 6});
        return true;
    };
    for (const BandEntry& b : kBandPlan) {
        for (const int edge : {b.lowEdge, b.highEdge, b.ssbStart}) place(edge * 1000LL, "~~~~~~~~~~~");
        place(b.digitalLow * 1000LL, "vTTY");
        place(b.digitalHigh * 1000LL, "^TTY");
        place(b.sstvLow * 1000LL, "     vTV");
        place(b.sstvHigh * 1000LL, "     ^TV");
    }
    int nearestDistance = FrequencyMarks::kNearHz;
    for (int slot = 0; slot < FrequencyMarks::kSlots; ++slot) {
        const FrequencyMark& m = marks[slot];
        if (!FrequencyMarks::shown(m, now) || !place(m.frequency, markLabel(slot, m, now))) continue;
        const int d = std::abs(m.frequency - signalHz);
        if (d < nearestDistance) nearestDistance = d, out.nearestMark = slot;
    }
    return out;
}

void drawFrequencyMap(const FrequencyMapLayout& layout, const FrequencyMapGeometry& g, IndexedImage& image)
{
    image.resize(g.width, g.height);
    image.fill(kFrequencyMapBackground);
    const int x0 = g.x0;
    const int yc = layout.yc;
    image.drawLine(x0, 0, x0, g.height - 1, kFrequencyMapInk);
    image.drawLine(x0 - 2, yc, x0 - 5, yc - 3, kFrequencyMapInk);
    image.drawLine(x0 - 5, yc - 3, x0 - 5, yc + 3, kFrequencyMapInk);
    image.drawLine(x0 - 5, yc + 3, x0 - 2, yc, kFrequencyMapInk);
    if (layout.passband)
        image.drawLine(x0 - 1, layout.passband->first, x0 - 1, layout.passband->second, kFrequencyMapInk);
    for (const int y : layout.tickYs) image.drawLine(x0 + 1, y, x0 + 5, y, kFrequencyMapInk);
    for (const MapText& t : layout.texts)
        drawTinyText(image, t.x, t.y - g.textHalfHeight, t.text, kFrequencyMapInk);
}

std::optional<MarkText> NearestMarkText::update(int nearestSlot, const FrequencyMarks& marks)
{
    if (nearestSlot == m_slot) return std::nullopt;
    m_slot = nearestSlot;
    if (nearestSlot < 0) return MarkText{};
    const FrequencyMark& m = marks[nearestSlot];
    return MarkText{m.text, !m.label.empty() && m.label[0] == '+'};
}

}  // namespace vexa::display
