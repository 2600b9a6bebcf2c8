#include "engine/rx/afc_step.h"

#include <cmath>
#include <cstdlib>

#include "common/operating_mode.h"

namespace vexa::engine {

std::optional<AfcRetune> AfcStep(const AfcInputs& in) noexcept
{
    if (!isVaricodeMode(in.mode) || !in.afcEnabled || in.transmitting) return std::nullopt;
    // Only the BPSK loop has a meaningful jitter; a jittery estimate (noise, no signal)
    // must not drag the receiver away.
    const int64_t jitter = in.mode == OperatingMode::Psk31 ? in.jitterIndicator : 0;
    if (std::abs(jitter) >= kAfcJitterLimit) return std::nullopt;
    // The drift is a phase per symbol in 2^32-per-turn units scaled by the loop; 2^-30
    // turns it into Hz.
    const double candidate = in.receiveHz - std::ldexp(static_cast<double>(in.driftIndicator), -30);
    if (!(std::fabs(candidate - in.receiveHz) > kAfcMinimumStepHz)) return std::nullopt;
    return AfcRetune{candidate, in.driftIndicator - (in.driftIndicator >> 3)};
}

}  // namespace vexa::engine
