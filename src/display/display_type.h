// The three ways the spectrum window shows the band.
#pragma once

namespace vexa::display {

enum class DisplayType : int {
    SpectrumLine = 0,  // one spectrum line over black, optionally with the average trace
    LineHistory = 1,   // each new line drawn over the previous ones, scrolling down
    Waterfall = 2,     // one palette row per block, scrolling down
};

constexpr DisplayType nextDisplayType(DisplayType t) noexcept
{
    return static_cast<DisplayType>((static_cast<int>(t) + 1) % 3);
}

}  // namespace vexa::display
