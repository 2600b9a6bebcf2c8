// Mouse tuning on the spectrum window. The widget records where the buttons went down (in
// 1/256 pixel, -1 = nothing pending); the next draw turns the pending positions into new
// transmit, receive and second-channel frequencies:
//   left click            transmit and receive jump to the clicked frequency
//   right click           receive only (split operation)
//   Shift + left / right  place / remove the second PSK channel
//   either button in the 10-pixel strip at the right edge: fine tuning, +4.8 Hz at the top
//   to -4.8 Hz at the bottom (twice that in PSK31), relative to the current frequency.
#pragma once

#include <optional>

#include "common/operating_mode.h"
#include "display/spectrum_scale.h"

namespace vexa::display {

struct TuningClicks {
    static constexpr int kNone = -1;

    int leftDownX256 = kNone, leftDownY256 = kNone;
    int leftUpX256 = kNone, leftUpY256 = kNone;
    int rightDownX256 = kNone, rightDownY256 = kNone;
    int rightUpX256 = kNone, rightUpY256 = kNone;
    int secondX256 = kNone, secondY256 = kNone;  // 0 = switch the second channel off

    // Button events in whole pixels of the control; shift = Shift held at that moment.
    void leftDown(int x, int y, bool shift) noexcept;
    void leftUp(int x, int y) noexcept;
    void rightDown(int x, int y, bool shift) noexcept;
    void rightUp(int x, int y) noexcept;

    bool leftPending() const noexcept { return leftDownX256 != kNone; }
    bool rightPending() const noexcept { return rightDownX256 != kNone; }
    bool secondPending() const noexcept { return secondX256 != kNone; }
};

// What the clicks apply to, read at the moment of the draw.
struct TuningState {
    OperatingMode mode = OperatingMode::Psk31;
    double transmitHz = 0.0;
    double receiveHz = 0.0;
    bool net = true;  // transmit follows receive
    int widthPx = 0;
    int heightPx = 0;
};

struct TuningOutcome {
    // New second-channel frequency, 0.0 = switch it off.
    std::optional<double> secondChannelHz;
    // Transmit and receive both move here (retune demodulators and modulator).
    std::optional<double> transmitAndReceiveHz;
    // Only the receive frequency moves here (retune the demodulators).
    std::optional<double> receiveHz;

    bool frequencyChanged() const noexcept { return transmitAndReceiveHz || receiveHz; }
};

// Consumes every pending button-down position and says what to retune. Frequencies outside
// (startHz, 3000 Hz) and receive moves of 0.1 Hz or less are ignored.
TuningOutcome applyTuningClicks(TuningClicks& clicks, const SpectrumScale& scale,
                                const TuningState& state) noexcept;

// For the transmit path, at a symbol boundary while sending PSK, QPSK or FSK31: consumes a
// pending left click only and gives the frequency that transmit and receive move to, with
// the same arithmetic (fine-tuning strip included) and the same range rule.
std::optional<double> takeTransmitRetune(TuningClicks& clicks, const SpectrumScale& scale,
                                         const TuningState& state) noexcept;

// The fine-tuning offset for a click at y (1/256 pixel) in the right-hand strip.
double fineTuningOffsetHz(int y256, int heightPx, OperatingMode mode) noexcept;

inline constexpr double kHighestTuningHz = 3000.0;
inline constexpr int kFineTuningStripPx = 10;

}  // namespace vexa::display
