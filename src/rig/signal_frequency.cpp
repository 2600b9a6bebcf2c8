#include "rig/signal_frequency.h"

#include "common/operating_mode.h"

namespace vexa::rig {
namespace {

bool demodulated(int operatingMode) noexcept
{
    const std::optional<OperatingMode> m = operatingModeFromIndex(operatingMode);
    return m && isDemodulatedMode(*m);
}

}  // namespace

int signalFromDial(int dialHz, int operatingMode, double carrierHz, int digiSide) noexcept
{
    if (!demodulated(operatingMode)) return dialHz;
    return digiSide == 0 ? dialHz + static_cast<int>(carrierHz + 0.5)
                         : dialHz + static_cast<int>(-carrierHz - 0.5);
}

int dialFromSignal(int signalHz, int operatingMode, double carrierHz, int digiSide) noexcept
{
    if (!demodulated(operatingMode)) return signalHz;
    const int carrier = static_cast<int>(carrierHz);
    return digiSide == 0 ? signalHz - carrier : signalHz + carrier;
}

}  // namespace vexa::rig
