#include "engine/audio/input_level_meter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vexa::engine {

void InputLevelMeter::measure(std::span<const int16_t> block) noexcept
{
    int peak = 0;
    for (int16_t s : block) peak = std::max(peak, std::abs(int{s}));
    m_peak = peak;
}

double InputLevelMeter::peakDbfs() const noexcept
{
    return peakToDbfs(m_peak);
}

double peakToDbfs(int peak) noexcept
{
    if (peak <= 0) return InputLevelMeter::kFloorDbfs;
    return std::max(InputLevelMeter::kFloorDbfs, 20.0 * std::log10(peak / 32768.0));
}

}  // namespace vexa::engine
