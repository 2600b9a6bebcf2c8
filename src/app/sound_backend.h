// Chooses what the sound card is at start: the bundled demo recording (--demo, or when the
// system has no input device at all), the real device through PortAudio, or nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/audio/sound_card.h"

namespace vexa::app {

struct SoundBackendChoice {
    std::unique_ptr<engine::WaveBackend> backend;  // never null
    bool demo = false;                             // the input is the demo recording
    std::string notice;  // for the status line or standard error; empty when all is as asked
};

// Makes the real-device backend for a device name ("" = the default device).
using DeviceBackendFactory =
    std::function<std::unique_ptr<engine::WaveBackend>(const std::string& deviceName)>;

// The PortAudio backend.
std::unique_ptr<engine::WaveBackend> makePortAudioBackend(const std::string& deviceName);

// demoRequested: --demo. deviceName: the "Sound"/"Device" setting. demoRecording: the
// found demo file, if any. A device backend without any input device counts as no card.
SoundBackendChoice chooseSoundBackend(bool demoRequested, const std::string& deviceName,
                                      const std::optional<std::filesystem::path>& demoRecording,
                                      const DeviceBackendFactory& makeDevice = makePortAudioBackend);

// The demo input: the recording looped at real time; the output plays into nothing.
std::unique_ptr<engine::WaveBackend> makeDemoBackend(const std::filesystem::path& recording,
                                                     std::string& error);

}  // namespace vexa::app
