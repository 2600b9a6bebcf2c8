// The 256 colours of the waterfall: black through blue and cyan to yellow and red, linearly
// interpolated between six fixed points. Index = intensity.
#pragma once

#include <array>
#include <cstdint>

namespace vexa::display {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

using SpectrumPalette = std::array<Rgb, 256>;

// The palette, computed with truncating integer arithmetic between the control points.
const SpectrumPalette& spectrumPalette() noexcept;

// The palette entry closest to a colour (squared RGB distance; the lowest index on ties).
uint8_t nearestPaletteIndex(Rgb colour) noexcept;

}  // namespace vexa::display
