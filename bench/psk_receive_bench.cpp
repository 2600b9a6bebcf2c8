// PSK31 and QPSK receive: the whole per-sample chain (mixer, decimator, correlator, symbol
// clock, decoder) on a second of real signal. Reports samples per second and the multiple
// of real time (11025 samples per second of audio).
#include <benchmark/benchmark.h>

#include <string>

#include "engine/rx/psk_receiver.h"
#include "support/psk_reference.h"

namespace {

using namespace vexa::engine;

void receive(benchmark::State& state, bool qpsk)
{
    vexa::test::PskSignalOptions o;
    o.qpsk = qpsk;
    o.carrierHz = 1000.0;
    const auto samples = vexa::test::toPcm16(vexa::test::pskSignal("CQ CQ de VEXA pse k\r\n", o));
    const SineTable table;
    std::string text;
    TextSink sink(&text);
    PskReceiver rx(table, sink);
    rx.setDecoding(qpsk ? PskReceiver::Decoding::Qpsk : PskReceiver::Decoding::Bpsk);
    rx.setFrequency(1000.0);
    for (auto _ : state) {
        rx.process(samples);
        benchmark::DoNotOptimize(text.data());
        text.clear();
    }
    const double perIteration = static_cast<double>(samples.size());
    state.counters["samples/s"] =
        benchmark::Counter(perIteration, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x realtime"] =
        benchmark::Counter(perIteration / 11025.0, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Psk31Receive(benchmark::State& state)
{
    receive(state, false);
}
void BM_QpskReceive(benchmark::State& state)
{
    receive(state, true);
}

BENCHMARK(BM_Psk31Receive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QpskReceive)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
