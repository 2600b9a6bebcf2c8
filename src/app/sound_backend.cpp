#include "app/sound_backend.h"

#include "app/sound_settings.h"

#include "engine/audio/null_wave_backend.h"
#include "engine/audio/portaudio_backend.h"
#include "engine/audio/wave_file_backend.h"

namespace vexa::app {

std::unique_ptr<engine::WaveBackend> makeDemoBackend(const std::filesystem::path& recording,
                                                     std::string& error)
{
    engine::WaveFileOptions options;
    options.inputPath = recording.string();
    options.pacedInput = true;
    options.loopInput = true;
    auto backend = std::make_unique<engine::WaveFileBackend>(options);
    error = backend->inputError();
    if (!error.empty()) return nullptr;
    return backend;
}

std::unique_ptr<engine::WaveBackend> makePortAudioBackend(const engine::SoundChoice& devices)
{
    return std::make_unique<engine::PortAudioBackend>(
        engine::PortAudioOptions{.inputDevice = devices.inputDevice, .outputDevice = devices.outputDevice});
}

SoundBackendChoice chooseSoundBackend(bool demoRequested, const engine::SoundChoice& wanted,
                                      const std::optional<std::filesystem::path>& demoRecording,
                                      const DeviceBackendFactory& makeDevice)
{
    SoundBackendChoice choice;
    std::string error;
    if (demoRequested) {
        if (!demoRecording) {
            choice.notice = "The demo recording demo.wav is not installed; using the sound card";
        } else if (auto demo = makeDemoBackend(*demoRecording, error)) {
            choice.backend = std::move(demo);
            choice.demo = true;
            return choice;
        } else {
            choice.notice = "Cannot play the demo recording: " + error;
        }
    }
    std::unique_ptr<engine::WaveBackend> device = makeDevice(wanted);
    if (!device) device = std::make_unique<engine::NullWaveBackend>();
    std::string deviceName = wanted.inputDevice == engine::kDefaultSoundDevice ? "" : wanted.inputDevice;
    if (auto* devices = dynamic_cast<engine::SoundDevices*>(device.get())) {
        engine::SoundChoice used = wanted;
        choice.fallbacks = resolveSoundDevices(*devices, used);
        devices->selectDevices(used.inputDevice, used.outputDevice);
        choice.devices = devices;
        deviceName.clear();
    }
    if (device->capabilities(engine::WaveSide::Input)) {
        choice.backend = std::move(device);
        return choice;
    }
    // No input device at all: the demo keeps the program useful to look at and learn with.
    if (!demoRequested && demoRecording) {
        if (auto demo = makeDemoBackend(*demoRecording, error)) {
            choice.backend = std::move(demo);
            choice.devices = nullptr;  // went with the device backend
            choice.demo = true;
            choice.notice = deviceName.empty() ? "No sound card found; receiving the demo recording"
                                               : "Sound device \"" + deviceName +
                                                     "\" not found; receiving the demo recording";
            return choice;
        }
    }
    if (choice.notice.empty())
        choice.notice =
            deviceName.empty() ? "No sound card found" : "Sound device \"" + deviceName + "\" not found";
    // Every open on it fails silently, as with a missing card; the program goes on.
    choice.backend = std::move(device);
    return choice;
}

}  // namespace vexa::app
