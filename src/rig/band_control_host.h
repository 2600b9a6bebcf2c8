// What the band, mode and frequency controls need of the window beyond the transceiver:
// the operating mode switch, the frequency map, the focus, the split slider, messages.
#pragma once

#include <optional>

#include "common/operating_mode.h"

namespace vexa::rig {

class BandControlHost : public OperatingModeSource {
public:
    // The full mode switch, which also sends the radio its mode. nullopt stores "no mode",
    // so that switching back to the same mode sends it again.
    virtual void SetOperatingMode(std::optional<OperatingMode> mode) = 0;
    virtual void refreshFrequencyMap(bool force) = 0;
    virtual void focusEntryLine() = 0;
    virtual void moveSplitSlider(int offsetHz) = 0;
    virtual void setReceivePaused(bool paused) = 0;
};

}  // namespace vexa::rig
