// A sound card that is not there: no devices, every open fails. Vexa runs on it when the
// operator has no sound card and no demo input, exactly as with a missing device.
#pragma once

#include "engine/audio/sound_card.h"

namespace vexa::engine {

class NullWaveBackend : public WaveBackend {
public:
    int deviceCount(WaveSide) override { return 0; }
    bool capabilities(WaveSide) override { return false; }
    std::optional<WaveDevice> open(WaveSide, Notify) override { return std::nullopt; }
    bool prepare(WaveSide, WaveDevice, WaveHeader&) override { return false; }
    bool queue(WaveSide, WaveDevice, WaveHeader&) override { return false; }
    bool startInput(WaveDevice) override { return false; }
    bool stop(WaveSide, WaveDevice) override { return false; }
    bool reset(WaveSide, WaveDevice) override { return false; }
    bool unprepare(WaveSide, WaveDevice, WaveHeader&) override { return false; }
    bool close(WaveSide, WaveDevice) override { return false; }
};

}  // namespace vexa::engine
