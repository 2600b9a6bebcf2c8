// A sound card made of files: the input plays a recording (paced at real time, optionally
// looping, as the demo input does; or as fast as the consumer requeues blocks, for tools and
// tests) and the output is written to a 11025 Hz mono 16-bit WAV file. Blocks are filled
// and returned on a worker thread per direction, one notification per block, in order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/audio/block_queue.h"

namespace vexa::engine {

struct WaveFileOptions {
    std::string inputPath;    // empty: no input device
    bool pacedInput = true;   // false: a block is filled as soon as one is queued
    bool loopInput = false;   // start again at the end (the demo)
    std::string outputPath;   // empty: the output is played into nothing
    bool pacedOutput = true;  // false: a block is returned as soon as it is written
};

class WaveFileBackend final : public WaveBackend {
public:
    explicit WaveFileBackend(WaveFileOptions options);
    // Input from samples in memory (11025 Hz mono) instead of a file.
    WaveFileBackend(std::vector<int16_t> inputSamples, WaveFileOptions options);
    ~WaveFileBackend() override;

    WaveFileBackend(const WaveFileBackend&) = delete;
    WaveFileBackend& operator=(const WaveFileBackend&) = delete;

    // Why the input or output cannot be used (file missing, not audio, not writable);
    // empty when it can.
    const std::string& inputError() const noexcept { return m_inputError; }
    std::string outputError() const;

    // True once a non-looping input has delivered its last (short, possibly empty) block.
    bool inputFinished() const;
    // Samples written to the output so far.
    size_t samplesPlayed() const;

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
    using Clock = std::chrono::steady_clock;

    // One direction, with the pacing of its blocks.
    struct Direction : BlockQueue {
        Clock::time_point base{};  // when sample 'basePosition' was due
        size_t basePosition = 0;
    };

    // With the lock held: the output file is open, or there is none to write.
    bool openOutputFile();
    void inputLoop();
    void outputLoop();

    WaveFileOptions m_options;
    std::vector<int16_t> m_input;
    std::string m_inputError;
    bool m_hasInput = false;

    mutable std::mutex m_mutex;
    std::condition_variable m_inWake;
    std::condition_variable m_outWake;
    Direction m_in;
    Direction m_out;
    size_t m_inputPosition = 0;
    size_t m_inputDelivered = 0;  // samples handed out since start (pacing)
    bool m_inputFinished = false;
    size_t m_played = 0;

    struct OutputFile;
    std::unique_ptr<OutputFile> m_outputFile;
};

}  // namespace vexa::engine
