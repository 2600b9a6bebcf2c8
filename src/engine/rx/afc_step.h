// Automatic frequency control: after each received block the receive frequency follows the
// decoder's estimate of the carrier's phase drift per symbol.
#pragma once

#include <cstdint>
#include <optional>

#include "common/operating_mode.h"

namespace vexa::engine {

struct AfcInputs {
    OperatingMode mode = OperatingMode::Psk31;  // acts in the varicode modes only
    bool afcEnabled = false;                    // the "afc" check box
    bool transmitting = false;
    double receiveHz = 0.0;
    int32_t driftIndicator = 0;   // the active decoder's drift (FSK31: its published correction)
    int32_t jitterIndicator = 0;  // read only in PSK31
};

struct AfcRetune {
    double receiveHz;        // the new receive frequency, for every receiver (and the
                             // transmitter when "net" is on)
    int32_t driftIndicator;  // the drift to store back: seven eighths of the old one
};

inline constexpr int32_t kAfcJitterLimit = 100000000;
inline constexpr double kAfcMinimumStepHz = 0.05;

// nullopt: leave everything as it is.
std::optional<AfcRetune> AfcStep(const AfcInputs& in) noexcept;

}  // namespace vexa::engine
