// The real sound card through PortAudio. "Device 0" is the system's default input and output
// device, or the devices named by the "Sound" settings. The engine always sees
// 11025 Hz mono 16-bit; a device that will not run at that rate runs at its own default
// rate, and libsoxr converts in both directions. Each direction has a worker thread that
// reads or writes the device with PortAudio's blocking calls, fills or drains the queued
// blocks and reports each one, in order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/audio/sound_card.h"
#include "engine/audio/sound_devices.h"

namespace vexa::engine {

struct PortAudioOptions {
    // Empty or "default": the default device. Otherwise a device whose name equals this
    // text, or failing that contains it (letter case ignored).
    std::string inputDevice;
    std::string outputDevice;
    // Non-zero: run the device at this rate even if it could do 11025 Hz (the resampling
    // path, for tests and for cards whose 11025 Hz mode is poor).
    int forcedDeviceRate = 0;
};

class PortAudioBackend final : public WaveBackend, public SoundDevices {
public:
    explicit PortAudioBackend(PortAudioOptions options = {});
    ~PortAudioBackend() override;

    PortAudioBackend(const PortAudioBackend&) = delete;
    PortAudioBackend& operator=(const PortAudioBackend&) = delete;

    // Names of the devices that can record / play, for the settings: "default" first.
    std::vector<std::string> inputDeviceNames() const override;
    std::vector<std::string> outputDeviceNames() const override;
    bool hasInputDevice(const std::string& name) const override;
    bool hasOutputDevice(const std::string& name) const override;
    void selectDevices(const std::string& input, const std::string& output) override;
    // The rate the open input / output device actually runs at (0 when closed).
    int inputDeviceRate() const;
    int outputDeviceRate() const;

    int deviceCount(WaveSide side) override;
    bool capabilities(WaveSide side) override;
    std::optional<WaveDevice> open(WaveSide side, Notify notify) override;
    bool prepare(WaveSide side, WaveDevice, WaveHeader&) override;
    bool queue(WaveSide side, WaveDevice, WaveHeader&) override;
    bool startInput(WaveDevice) override;
    bool stop(WaveSide side, WaveDevice) override;
    bool reset(WaveSide side, WaveDevice) override;
    bool unprepare(WaveSide side, WaveDevice, WaveHeader&) override;
    bool close(WaveSide side, WaveDevice) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_portAudio;  // the streams, the queues and their workers
};

}  // namespace vexa::engine
