// A sound card that is not there: no devices, every open fails. Vexa runs on it when the
// operator has no sound card and no demo input, exactly as with a missing device.
#pragma once

#include "engine/audio/sound_card.h"

namespace vexa::engine {

class NullWaveBackend : public WaveBackend {
public:
    int inputDeviceCount() override { return 0; }
    bool inputCapabilities() override { return false; }
    std::optional<WaveDevice> openInput(Notify) override { return std::nullopt; }
    bool prepareInput(WaveDevice, WaveHeader&) override { return false; }
    bool addInputBuffer(WaveDevice, WaveHeader&) override { return false; }
    bool startInput(WaveDevice) override { return false; }
    bool stopInput(WaveDevice) override { return false; }
    bool resetInput(WaveDevice) override { return false; }
    bool unprepareInput(WaveDevice, WaveHeader&) override { return false; }
    bool closeInput(WaveDevice) override { return false; }

    int outputDeviceCount() override { return 0; }
    bool outputCapabilities() override { return false; }
    std::optional<WaveDevice> openOutput(Notify) override { return std::nullopt; }
    bool prepareOutput(WaveDevice, WaveHeader&) override { return false; }
    bool writeOutput(WaveDevice, WaveHeader&) override { return false; }
    bool pauseOutput(WaveDevice) override { return false; }
    bool resetOutput(WaveDevice) override { return false; }
    bool unprepareOutput(WaveDevice, WaveHeader&) override { return false; }
    bool closeOutput(WaveDevice) override { return false; }
};

}  // namespace vexa::engine
