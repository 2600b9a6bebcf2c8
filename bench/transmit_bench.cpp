// Transmit audio generation: output blocks of 4096 samples refilled by the transmit state
// machine from an endless text, per mode. Reports samples per second and the multiple of
// real time (11025 samples per second).
#include <benchmark/benchmark.h>

#include <string>

#include "engine/rx/varicode_table.h"
#include "engine/tx/memory_transmit_audio.h"
#include "engine/tx/string_transmit_source.h"
#include "engine/tx/transmit_machine.h"

namespace {

using namespace vexa::engine;
using vexa::OperatingMode;

void fillBlocks(benchmark::State& state, OperatingMode mode, double rttyBaud, bool fading)
{
    std::string text;
    while (text.size() < 200000)
        text += "CQ CQ de DL1ABC DL1ABC pse k 599 73 the quick brown fox 0123456789 ";
    SineTable table;
    MemoryTransmitAudio audio;
    RecordingKeyLine key;
    StringTransmitSource source(text, StringTransmitSource::kNoEnd);
    TransmitMachine machine(table, audio, key, source);
    machine.setVaricode(kVaricodeTable);
    machine.setMode(mode, rttyBaud);
    machine.setFrequency(1500.0);
    if (fading) {
        machine.setFadingTerm(0, 0.7, 0.5);
        machine.setFadingTerm(1, 3.1, 0.3);
    }
    machine.ToggleTransmit();
    std::vector<int16_t> sink;
    sink.reserve(4096);
    for (auto _ : state) {
        sink.clear();
        WaveHeader* h = audio.playNext(sink);
        machine.FillTransmitBlock(h);
        benchmark::DoNotOptimize(sink.data());
    }
    const double samples = static_cast<double>(state.iterations()) * (kOutputBlockBytes / 2);
    state.counters["samples/s"] = benchmark::Counter(samples, benchmark::Counter::kIsRate);
    state.counters["x_realtime"] = benchmark::Counter(samples / 11025.0, benchmark::Counter::kIsRate);
}

void BM_TransmitPsk31(benchmark::State& s)
{
    fillBlocks(s, OperatingMode::Psk31, 0, false);
}
void BM_TransmitQpsk(benchmark::State& s)
{
    fillBlocks(s, OperatingMode::Qpsk, 0, false);
}
void BM_TransmitFsk31(benchmark::State& s)
{
    fillBlocks(s, OperatingMode::Fsk31, 0, false);
}
void BM_TransmitRtty45(benchmark::State& s)
{
    fillBlocks(s, OperatingMode::Rtty, 45.45, false);
}
void BM_TransmitPsk31Fading(benchmark::State& s)
{
    fillBlocks(s, OperatingMode::Psk31, 0, true);
}

BENCHMARK(BM_TransmitPsk31);
BENCHMARK(BM_TransmitQpsk);
BENCHMARK(BM_TransmitFsk31);
BENCHMARK(BM_TransmitRtty45);
BENCHMARK(BM_TransmitPsk31Fading);

}  // namespace

BENCHMARK_MAIN();
