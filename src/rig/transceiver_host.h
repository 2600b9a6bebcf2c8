// What the Transceiver needs of the window: the operating mode and the audio carrier it
// tunes by, and the places its news goes (frequency field and map, entry line, alert line).
#pragma once

#include <string_view>

#include "common/operating_mode.h"

namespace vexa::rig {

class TransceiverHost : public OperatingModeSource {
public:
    virtual double carrierAudioHz() const = 0;
    // A mode the radio reported, stored as it is without running the mode switch (that
    // would send the mode back). selectInList: the operator changed it at the radio.
    virtual void storeOperatingMode(OperatingMode mode, bool selectInList) = 0;
    // The dial frequency changed: rewrite the frequency field, move the frequency map.
    virtual void ShowFrequency() = 0;
    virtual void AppendToEntryLine(std::string_view text) = 0;
    virtual void alert(std::string_view text) = 0;
    // Tuning starts the current receiver's drift indicator afresh.
    virtual void resetDrift() {}
};

}  // namespace vexa::rig
