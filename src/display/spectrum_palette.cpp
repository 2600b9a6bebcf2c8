#include "display/spectrum_palette.h"

namespace vexa::display {
namespace {

struct ControlPoint {
    int index;
    int r, g, b;
};

constexpr std::array<ControlPoint, 6> kPoints{{
    {0, 0, 0, 0},
    {32, 0, 0, 180},
    {60, 0, 150, 220},
    {160, 200, 230, 0},
    {250, 240, 200, 0},
    {256, 255, 0, 0},
}};

SpectrumPalette build() noexcept
{
    SpectrumPalette p{};
    for (int i = 0; i < 256; ++i) {
        std::size_t k = 1;
        while (k < kPoints.size() - 1 && kPoints[k].index <= i) ++k;
        const ControlPoint& lo = kPoints[k - 1];
        const ControlPoint& hi = kPoints[k];
        const int num = i - lo.index;
        const int den = hi.index - lo.index;
        auto channel = [&](int a, int b) { return static_cast<uint8_t>(a + (b - a) * num / den); };
        p[static_cast<std::size_t>(i)] = {channel(lo.r, hi.r), channel(lo.g, hi.g), channel(lo.b, hi.b)};
    }
    return p;
}

}  // namespace

const SpectrumPalette& spectrumPalette() noexcept
{
    static const SpectrumPalette palette = build();
    return palette;
}

uint8_t nearestPaletteIndex(Rgb colour) noexcept
{
    const SpectrumPalette& p = spectrumPalette();
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const Rgb& c = p[static_cast<std::size_t>(i)];
        const int dr = c.r - colour.r, dg = c.g - colour.g, db = c.b - colour.b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace vexa::display
