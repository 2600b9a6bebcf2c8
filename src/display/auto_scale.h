// The spectrum's automatic gain: a running scale that follows the louder of the average
// level and the strongest signal near the transmit marker, rising fast and falling slowly.
#pragma once

#include <span>

#include "common/operating_mode.h"

namespace vexa::display {

class AutoScale {
public:
    // magnitudes: one per shown bin (fourth root of the power); binPixel(k) = k * p.
    // transmitPx: pixel of the transmit marker; windowPx: how far from it a bin may lie to
    // count as a peak (< 0: every bin counts).
    void update(std::span<const float> magnitudes, int pixelsPerBin, int transmitPx, int windowPx,
                int heightPx) noexcept;

    int scale() const noexcept { return m_scale; }
    // Magnitude units per palette step of the waterfall, height * scale / 256, at least 1.
    int divisor(int heightPx) const noexcept;

    void reset() noexcept { m_scale = 1; }

    // Peak window around the transmit marker for an operating mode: 16 px in PSK31,
    // 128 px in RTTY (both tones), the whole width otherwise (-1).
    static int peakWindowPx(OperatingMode mode) noexcept;

private:
    int m_scale = 1;
};

}  // namespace vexa::display
