#include "display/auto_scale.h"

#include <algorithm>
#include <cstdlib>

#include "common/operating_mode.h"

namespace vexa::display {

int AutoScale::peakWindowPx(OperatingMode mode) noexcept
{
    if (mode == OperatingMode::Psk31) return 16;
    if (mode == OperatingMode::Rtty) return 128;
    return -1;
}

void AutoScale::update(std::span<const float> magnitudes, int pixelsPerBin, int transmitPx, int windowPx,
                       int heightPx) noexcept
{
    const int n = static_cast<int>(magnitudes.size());
    if (n == 0) return;
    int total = 0;
    float peak = 1.0f;
    for (int k = 0; k < n; ++k) {
        const float m = magnitudes[static_cast<std::size_t>(k)];
        total += static_cast<int>(m);
        if (windowPx < 0 || std::abs(k * pixelsPerBin - transmitPx) <= windowPx) peak = std::max(peak, m);
    }
    // The 8 rows at the top belong to the markers.
    const int usable = std::max(heightPx - 8, 1);
    const int a = 3 * (total / n) / usable + 1;
    const float b = peak / static_cast<float>(usable) + 1.0f;
    const float target = std::max(static_cast<float>(a), b);
    if (target < static_cast<float>(m_scale))
        m_scale = m_scale - m_scale / 16 - 1;
    else
        m_scale = static_cast<int>((target + static_cast<float>(m_scale)) / 2.0f);
    m_scale = std::max(m_scale, 1);
}

int AutoScale::divisor(int heightPx) const noexcept
{
    return std::max(heightPx * m_scale / 256, 1);
}

}  // namespace vexa::display
