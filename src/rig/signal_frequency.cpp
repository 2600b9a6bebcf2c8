#include "rig/signal_frequency.h"

#include "common/operating_mode.h"

namespace vexa::rig {
int signalFromDial(int dialHz, OperatingMode operatingMode, double carrierHz, int digiSide) noexcept
{
    if (!isDemodulatedMode(operatingMode)) return dialHz;
    return digiSide == 0 ? dialHz + static_cast<int>(carrierHz + 0.5)
                         : dialHz + static_cast<int>(-carrierHz - 0.5);
}

int dialFromSignal(int signalHz, OperatingMode operatingMode, double carrierHz, int digiSide) noexcept
{
    if (!isDemodulatedMode(operatingMode)) return signalHz;
    const int carrier = static_cast<int>(carrierHz);
    return digiSide == 0 ? signalHz - carrier : signalHz + carrier;
}

}  // namespace vexa::rig
