// Where the frequency markers and the drift indicator go on the spectrum window. The image
// of the spectrum is in palette colours; markers are drawn over it in true colours by the
// widget, from this geometry.
#pragma once

#include <array>
#include <cstdint>

#include "common/operating_mode.h"
#include "display/spectrum_scale.h"

namespace vexa::display {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

enum class MarkerColour : uint8_t { White, Black, Grey };

struct Triangle {
    std::array<Point, 3> corners{};
    MarkerColour colour = MarkerColour::White;
};

struct MarkerInputs {
    OperatingMode mode = OperatingMode::Psk31;
    double transmitHz = 0.0;
    double receiveHz = 0.0;
    double secondChannelHz = 0.0;  // 0 = off
    int32_t drift = 0;             // drift indicator of the current receiver
};

struct MarkerLayout {
    // Transmit (white, and the RTTY tone pair), receive (black, when it differs from
    // transmit), second channel (grey); at most 7.
    std::array<Triangle, 7> triangles{};
    int count = 0;
    // Drift indicator at the right edge: a short horizontal line at mid height and a black
    // triangle pointing left at the drift's height.
    Point driftLineFrom;
    Point driftLineTo;
    Triangle driftArrow;
};

MarkerLayout layoutMarkers(const SpectrumScale& scale, int widthPx, int heightPx,
                           const MarkerInputs& in) noexcept;

// Vertical position of the drift arrow: mid height plus drift / (K / height), with
// K = 2^31 - 1 in PSK31 and 2^30 - 1 in the other modes; kept inside the control.
int driftIndicatorY(int heightPx, OperatingMode mode, int32_t drift) noexcept;

}  // namespace vexa::display
