#include "display/tuning_clicks.h"

#include <cmath>

#include "common/operating_mode.h"

namespace vexa::display {

namespace {

// Click positions are kept in 1/256 pixel.
void place(int& x256, int& y256, int x, int y) noexcept
{
    x256 = x * 256;
    y256 = y * 256;
}

}  // namespace

void TuningClicks::leftDown(int x, int y, bool shift) noexcept
{
    if (shift)
        place(secondX256, secondY256, x, y);
    else
        place(leftDownX256, leftDownY256, x, y);
}

void TuningClicks::leftUp(int x, int y) noexcept
{
    place(leftUpX256, leftUpY256, x, y);
}

void TuningClicks::rightDown(int x, int y, bool shift) noexcept
{
    if (shift)
        place(secondX256, secondY256, 0, 0);
    else
        place(rightDownX256, rightDownY256, x, y);
}

void TuningClicks::rightUp(int x, int y) noexcept
{
    place(rightUpX256, rightUpY256, x, y);
}

double fineTuningOffsetHz(int y256, int heightPx, OperatingMode mode) noexcept
{
    if (heightPx <= 0) return 0.0;
    const double half256 = 128.0 * heightPx;
    const double offset = (half256 - y256) / half256 * 4.8;
    return mode == OperatingMode::Psk31 ? 2.0 * offset : offset;
}

namespace {

bool inStrip(int x256, int widthPx) noexcept
{
    return widthPx - x256 / 256 < kFineTuningStripPx;
}

bool inTuningRange(double hz, const SpectrumScale& scale) noexcept
{
    return hz > scale.startHz() && hz < kHighestTuningHz;
}

}  // namespace

TuningOutcome applyTuningClicks(TuningClicks& clicks, const SpectrumScale& scale,
                                const TuningState& state) noexcept
{
    std::optional<double> transmitTarget;
    std::optional<double> receiveTarget;

    if (clicks.leftPending() && inStrip(clicks.leftDownX256, state.widthPx)) {
        transmitTarget =
            state.transmitHz + fineTuningOffsetHz(clicks.leftDownY256, state.heightPx, state.mode);
        clicks.leftDownX256 = clicks.leftDownY256 = TuningClicks::kNone;
    }
    if (clicks.rightPending() && inStrip(clicks.rightDownX256, state.widthPx)) {
        receiveTarget =
            state.receiveHz + fineTuningOffsetHz(clicks.rightDownY256, state.heightPx, state.mode);
        if (state.net) {
            transmitTarget = receiveTarget;
            receiveTarget.reset();
        }
        clicks.rightDownX256 = clicks.rightDownY256 = TuningClicks::kNone;
    }

    TuningOutcome out;
    if (clicks.secondPending()) {
        out.secondChannelHz = clicks.secondX256 < 1 ? 0.0 : scale.frequencyAt(clicks.secondX256);
        clicks.secondX256 = clicks.secondY256 = TuningClicks::kNone;
    }

    if (clicks.leftPending()) transmitTarget = scale.frequencyAt(clicks.leftDownX256);
    if (clicks.rightPending()) receiveTarget = scale.frequencyAt(clicks.rightDownX256);
    clicks.leftDownX256 = clicks.leftDownY256 = TuningClicks::kNone;
    clicks.rightDownX256 = clicks.rightDownY256 = TuningClicks::kNone;

    if (transmitTarget && inTuningRange(*transmitTarget, scale)) {
        out.transmitAndReceiveHz = transmitTarget;
    } else if (receiveTarget && inTuningRange(*receiveTarget, scale) &&
               std::fabs(*receiveTarget - state.receiveHz) > 0.1) {
        out.receiveHz = receiveTarget;
    }
    return out;
}

std::optional<double> takeTransmitRetune(TuningClicks& clicks, const SpectrumScale& scale,
                                         const TuningState& state) noexcept
{
    if (!clicks.leftPending()) return std::nullopt;
    const double target =
        inStrip(clicks.leftDownX256, state.widthPx)
            ? state.transmitHz + fineTuningOffsetHz(clicks.leftDownY256, state.heightPx, state.mode)
            : scale.frequencyAt(clicks.leftDownX256);
    clicks.leftDownX256 = clicks.leftDownY256 = TuningClicks::kNone;
    if (!inTuningRange(target, scale)) return std::nullopt;
    return target;
}

}  // namespace vexa::display
