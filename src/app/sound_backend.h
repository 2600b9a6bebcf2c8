// Chooses what the sound card is at start: the bundled demo recording (--demo, or when the
// system has no input device at all), the real device through PortAudio, or nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/audio/sound_card.h"
#include "engine/audio/sound_devices.h"

namespace vexa::app {

struct SoundBackendChoice {
    std::unique_ptr<engine::WaveBackend> backend;  // never null
    bool demo = false;                             // the input is the demo recording
    std::string notice;  // for the status line or standard error; empty when all is as asked
    // The backend's device choice, when it has real devices to choose from.
    engine::SoundDevices* devices = nullptr;
    // A chosen device that is gone, replaced by "default": one line each, for the receive window.
    std::vector<std::string> fallbacks;
};

// Makes the real-device backend for the chosen devices.
using DeviceBackendFactory = std::function<std::unique_ptr<engine::WaveBackend>(const engine::SoundChoice&)>;

// The PortAudio backend.
std::unique_ptr<engine::WaveBackend> makePortAudioBackend(const engine::SoundChoice& devices);

// demoRequested: --demo. wanted: the "Sound" settings. demoRecording: the found demo file,
// if any. A chosen device the backend does not have is replaced by "default"; a device
// backend that cannot record at all counts as no card.
SoundBackendChoice chooseSoundBackend(bool demoRequested, const engine::SoundChoice& wanted,
                                      const std::optional<std::filesystem::path>& demoRecording,
                                      const DeviceBackendFactory& makeDevice = makePortAudioBackend);

// The demo input: the recording looped at real time; the output plays into nothing.
std::unique_ptr<engine::WaveBackend> makeDemoBackend(const std::filesystem::path& recording,
                                                     std::string& error);

}  // namespace vexa::app
