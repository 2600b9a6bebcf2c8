// The sound card as the engine uses it: open and close input and output with the one
// fixed format, keep four input and four output blocks in circulation, and report every
// filled input block and every played output block as a WaveEvent, one per block, in order.
//
// SoundCard holds the blocks and the open flags and performs the open/close sequences;
// a WaveBackend (PortAudio, WAV file, null) provides the device primitives.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "engine/audio/wave_header.h"

namespace vexa::engine {

// The two directions of a sound card.
enum class WaveSide { Input, Output };

// Of a pair of things kept per direction, the one that serves `side`.
template <class T>
constexpr T& forSide(WaveSide side, T& input, T& output) noexcept
{
    return side == WaveSide::Input ? input : output;
}

// Device primitives, after the usual wave-audio device API, once for both directions.
// Device 0 is the only device ever used. Notifications are called from the backend's own
// thread; whoever receives them posts them to the GUI thread.
class WaveBackend {
public:
    using Notify = std::function<void(const WaveEvent&)>;
    virtual ~WaveBackend() = default;

    virtual int deviceCount(WaveSide side) = 0;
    virtual bool capabilities(WaveSide side) = 0;  // false: device 0 cannot be used
    virtual std::optional<WaveDevice> open(WaveSide side, Notify notify) = 0;
    virtual bool prepare(WaveSide side, WaveDevice, WaveHeader&) = 0;
    // Input: a block to record into; output: a block to play.
    virtual bool queue(WaveSide side, WaveDevice, WaveHeader&) = 0;
    // Recording starts (input only; output plays as soon as a block is queued).
    virtual bool startInput(WaveDevice) = 0;
    // Input: recording stops; output: playing pauses.
    virtual bool stop(WaveSide side, WaveDevice) = 0;
    // Returns every queued block (InputData / OutputDone).
    virtual bool reset(WaveSide side, WaveDevice) = 0;
    virtual bool unprepare(WaveSide side, WaveDevice, WaveHeader&) = 0;
    virtual bool close(WaveSide side, WaveDevice) = 0;
};

// A new device handle for a backend's open: unique for the whole process, across backends,
// so that a notification still queued from a closed device (or from a backend since
// replaced) can never be taken for one of the open device.
WaveDevice allocateWaveDevice() noexcept;

class SoundCard {
public:
    // notify receives every WaveEvent (on the backend's thread).
    SoundCard(WaveBackend& backend, WaveBackend::Notify notify);
    ~SoundCard();  // closes both devices

    SoundCard(const SoundCard&) = delete;
    SoundCard& operator=(const SoundCard&) = delete;

    void OpenWaveIn() { open(WaveSide::Input); }
    void CloseWaveIn() { close(WaveSide::Input); }
    void OpenWaveOut() { open(WaveSide::Output); }
    void CloseWaveOut() { close(WaveSide::Output); }

    bool inputOpen() const noexcept { return m_inputOpen; }
    bool outputOpen() const noexcept { return m_outputOpen; }
    WaveDevice inputDevice() const noexcept { return m_inputDevice; }
    WaveDevice outputDevice() const noexcept { return m_outputDevice; }

    // Requeue a returned input block; false: the block is dropped.
    bool addInputBuffer(WaveHeader& header);
    // Queue an output block for playing.
    bool writeOutput(WaveHeader& header);

    std::array<WaveHeader, kOutputBlockCount>& outputHeaders() noexcept { return m_outHeaders; }

private:
    void open(WaveSide side);
    void close(WaveSide side);

    WaveBackend& m_backend;
    WaveBackend::Notify m_notify;
    bool m_inputOpen = false;
    bool m_outputOpen = false;
    WaveDevice m_inputDevice = 0;
    WaveDevice m_outputDevice = 0;
    std::array<std::array<int16_t, kInputBlockBytes / 2>, kInputBlockCount> m_inData{};
    std::array<std::array<int16_t, kOutputBlockBytes / 2>, kOutputBlockCount> m_outData{};
    std::array<WaveHeader, kInputBlockCount> m_inHeaders{};
    std::array<WaveHeader, kOutputBlockCount> m_outHeaders{};
};

}  // namespace vexa::engine
