// Transmit round trips: Vexa's transmitter renders a text, the audio is scaled, given
// band noise (seeded, so every run sees the same signal) and handed to a receiver.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/rx/varicode_table.h"
#include "engine/tx/memory_transmit_audio.h"
#include "engine/tx/string_transmit_source.h"
#include "engine/tx/transmit_machine.h"

namespace vexa::engine::test {

struct TxSpec {
    OperatingMode mode = OperatingMode::Psk31;
    double rttyBaud = 45.45;
    double frequency = 1000.0;
    int idleBeforeEnd = 0;
    std::string callSign;
    bool qpskInverted = false;
};

// A transmit machine on the given sound card with its own sine table, key line and text, and
// the published varicode.
struct Transmitter {
    Transmitter(TransmitAudio& audio, std::string text, int idleBeforeEnd = 0)
        : source(std::move(text), idleBeforeEnd), machine(table, audio, key, source)
    {
        machine.setVaricode(kVaricodeTable);
    }
    SineTable table;
    RecordingKeyLine key;
    StringTransmitSource source;
    TransmitMachine machine;
};

inline std::vector<int16_t> transmit(const std::string& text, const TxSpec& spec)
{
    MemoryTransmitAudio audio;
    Transmitter tx(audio, text, spec.idleBeforeEnd);
    tx.machine.setMode(spec.mode, spec.rttyBaud);
    tx.machine.setFrequency(spec.frequency);
    tx.machine.setCallSign(spec.callSign);
    tx.machine.setQpskInverted(spec.qpskInverted);
    return renderTransmission(tx.machine, audio, (text.size() + 100) * 11025 * 2);
}

// gain scales the transmitter's full-scale signal; noiseRms is white Gaussian noise in
// sample units over the whole 0..5.5 kHz band.
inline std::vector<int16_t> withNoise(const std::vector<int16_t>& clean, double gain, double noiseRms,
                                      unsigned seed = 1)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> n(0.0, noiseRms);
    std::vector<int16_t> out;
    out.reserve(clean.size() + 11025);
    const auto push = [&](double v) {
        v = std::round(v);
        out.push_back(static_cast<int16_t>(v > 32767 ? 32767 : v < -32768 ? -32768 : v));
    };
    for (int i = 0; i < 5512; ++i) push(noiseRms > 0 ? n(rng) : 0.0);
    for (const int16_t s : clean) push(s * gain + (noiseRms > 0 ? n(rng) : 0.0));
    for (int i = 0; i < 5512; ++i) push(noiseRms > 0 ? n(rng) : 0.0);
    return out;
}

// Edit distance from `expected` to the best-matching stretch of `received` (noise before
// and after the message costs nothing): the character errors of a copy.
inline int copyErrors(const std::string& expected, const std::string& received)
{
    const std::size_t m = expected.size();
    std::vector<int> prev(m + 1), cur(m + 1);
    for (std::size_t i = 0; i <= m; ++i) prev[i] = static_cast<int>(i);
    int best = prev[m];
    for (const char r : received) {
        cur[0] = 0;
        for (std::size_t i = 1; i <= m; ++i)
            cur[i] = std::min({prev[i] + 1, cur[i - 1] + 1, prev[i - 1] + (expected[i - 1] == r ? 0 : 1)});
        best = std::min(best, cur[m]);
        std::swap(prev, cur);
    }
    return best;
}

}  // namespace vexa::engine::test
