// A window stand-in for the Transceiver: a settable operating mode and carrier, and a
// record of what the Transceiver showed, printed and stored.
#pragma once

#include <string>
#include <vector>

#include "rig/transceiver_host.h"

namespace vexa::test {

class RecordingTransceiverHost : public rig::TransceiverHost {
public:
    OperatingMode mode = OperatingMode::Cw;
    double carrierHz = 1000.0;
    std::vector<std::pair<OperatingMode, bool>> storedModes;  // mode, selected in the list
    std::string entryLine;
    std::vector<std::string> alerts;
    int shown = 0;
    int driftResets = 0;

    OperatingMode operatingMode() const override { return mode; }
    double carrierAudioHz() const override { return carrierHz; }
    void storeOperatingMode(OperatingMode m, bool selectInList) override
    {
        mode = m;
        storedModes.emplace_back(m, selectInList);
    }
    void ShowFrequency() override { ++shown; }
    void AppendToEntryLine(std::string_view text) override { entryLine += text; }
    void alert(std::string_view text) override { alerts.emplace_back(text); }
    void resetDrift() override { ++driftResets; }
};

}  // namespace vexa::test
