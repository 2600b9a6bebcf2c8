// A TransmitAudio that plays into memory: four output blocks of its own, a queue of the
// written ones in playing order, and open/close flags. renderTransmission drives a
// TransmitMachine over it to produce exactly the audio a sound card would have played.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "engine/tx/transmit_audio.h"

namespace vexa::engine {

class MemoryTransmitAudio : public TransmitAudio {
public:
    MemoryTransmitAudio();

    void OpenWaveIn() override
    {
        m_inputOpen = true;
        ++m_inputOpens;
    }
    void CloseWaveIn() override { m_inputOpen = false; }
    void OpenWaveOut() override;
    void CloseWaveOut() override;
    bool inputOpen() const override { return m_inputOpen; }
    bool outputOpen() const override { return m_outputOpen; }
    bool writeOutput(WaveHeader& header) override;
    std::array<WaveHeader, kOutputBlockCount>& outputHeaders() override { return m_headers; }

    // The block that finishes playing next, or nullptr; its samples are appended to out.
    WaveHeader* playNext(std::vector<int16_t>& out);
    std::size_t queued() const noexcept { return m_queue.size(); }

    // Test knobs and counters.
    bool failOpenOutput = false;
    int refuseWritesAfter = -1;  // refuse every write after this many; -1: never
    int writes = 0;
    int inputOpens() const noexcept { return m_inputOpens; }

private:
    std::array<std::array<int16_t, kOutputBlockBytes / 2>, kOutputBlockCount> m_data{};
    std::array<WaveHeader, kOutputBlockCount> m_headers{};
    std::deque<WaveHeader*> m_queue;
    bool m_inputOpen = false;
    bool m_outputOpen = false;
    int m_inputOpens = 0;
};

class TransmitMachine;

// Runs one transmission (ToggleTransmit, then every block back in order until the end block
// has played) and returns the audio played. Stops after maxSamples as a guard against a
// text source that never ends. Nothing when the mode does not transmit audio.
std::vector<int16_t> renderTransmission(TransmitMachine& machine, MemoryTransmitAudio& audio,
                                        std::size_t maxSamples);

}  // namespace vexa::engine
