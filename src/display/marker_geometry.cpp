#include "display/marker_geometry.h"

#include <algorithm>

#include "common/operating_mode.h"

namespace vexa::display {
namespace {

constexpr double kRttyShiftHalfHz = 90.0;

Triangle transmitTriangle(int x)
{
    return {{{{x - 3, 0}, {x + 3, 0}, {x, 7}}}, MarkerColour::White};
}

Triangle receiveTriangle(int x)
{
    return {{{{x - 2, 2}, {x + 2, 2}, {x, 8}}}, MarkerColour::Black};
}

Triangle secondChannelTriangle(int x)
{
    return {{{{x - 2, 0}, {x + 1, 0}, {x, 6}}}, MarkerColour::Grey};
}

}  // namespace

int driftIndicatorY(int heightPx, OperatingMode mode, int32_t drift) noexcept
{
    if (heightPx <= 0) return 0;
    const int32_t k = mode == OperatingMode::Psk31 ? 2147483647 : 1073741823;
    const int32_t perPixel = std::max<int32_t>(k / heightPx, 1);
    const double y = heightPx / 2 + drift / perPixel + 0.5;
    return std::clamp(static_cast<int>(y), 0, heightPx - 1);
}

MarkerLayout layoutMarkers(const SpectrumScale& scale, int widthPx, int heightPx,
                           const MarkerInputs& in) noexcept
{
    MarkerLayout out;
    auto add = [&](const Triangle& t) {
        if (out.count < static_cast<int>(out.triangles.size()))
            out.triangles[static_cast<std::size_t>(out.count++)] = t;
    };
    const bool rtty = in.mode == OperatingMode::Rtty;

    add(transmitTriangle(scale.pixelOf(in.transmitHz)));
    if (rtty) {
        add(transmitTriangle(scale.pixelOf(in.transmitHz - kRttyShiftHalfHz)));
        add(transmitTriangle(scale.pixelOf(in.transmitHz + kRttyShiftHalfHz)));
    }
    if (in.receiveHz != in.transmitHz) {
        add(receiveTriangle(scale.pixelOf(in.receiveHz)));
        if (rtty) {
            add(receiveTriangle(scale.pixelOf(in.receiveHz - kRttyShiftHalfHz)));
            add(receiveTriangle(scale.pixelOf(in.receiveHz + kRttyShiftHalfHz)));
        }
    }
    if (in.secondChannelHz != 0.0) add(secondChannelTriangle(scale.pixelOf(in.secondChannelHz)));

    const int mid = heightPx / 2;
    out.driftLineFrom = {widthPx - 5, mid};
    out.driftLineTo = {widthPx - 10, mid};
    const int y = driftIndicatorY(heightPx, in.mode, in.drift);
    const int right = widthPx - 1;
    out.driftArrow = {{{{right - 5, y}, {right, y - 4}, {right, y + 4}}}, MarkerColour::Black};
    return out;
}

}  // namespace vexa::display
