// RTTY (45.45 and 100 Bd, both receivers) and FSK31 receive: the whole per-sample path
// (mixer, moving sums or matched filters, discriminator, slicer, symbol decision or framing,
// decoder) on a noisy signal.
// Reports samples per second and "x_realtime", seconds of audio per second of CPU.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/rx/decoder_selector.h"
#include "engine/rx/fsk31_demodulator.h"
#include "engine/rx/rtty_demodulator.h"
#include "engine/rx/rtty_matched_demodulator.h"
#include "engine/rx/text_sink.h"
#include "engine/rx/varicode_decoder.h"
#include "support/fsk_test_signal.h"

namespace {

using namespace vexa;

constexpr std::string_view kText = "CQ CQ DE DL0VXA DL0VXA PSE K 599 TNX 73 THE QUICK BROWN FOX ";

const std::vector<int16_t>& rttyAudio(double baud)
{
    static std::vector<int16_t> audio45;
    static std::vector<int16_t> audio100;
    auto& audio = baud > 50.0 ? audio100 : audio45;
    if (audio.empty()) {
        test::FskWriter w(8000.0);
        test::keyRtty(w, test::ita2Codes(kText, true), {1085.0, 915.0, baud});
        audio = test::withNoise(w.samples(), 8000.0 * 8000.0 / 2.0, 6.0, 1);
    }
    return audio;
}

const std::vector<int16_t>& fsk31Audio()
{
    static std::vector<int16_t> audio;
    if (audio.empty()) {
        test::FskWriter w(8000.0);
        test::keyFsk31(w, test::varicodeBits("cq cq de dl0vxa dl0vxa pse k 599 tnx 73 "), 1000.0);
        audio = test::withNoise(w.samples(), 8000.0 * 8000.0 / 2.0, 6.0, 1);
    }
    return audio;
}

void report(benchmark::State& state, std::size_t samples)
{
    const auto total = static_cast<double>(samples) * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<int64_t>(total));
    state.counters["x_realtime"] = benchmark::Counter(total / 11025.0, benchmark::Counter::kIsRate);
}

// Runs one RTTY receiver over the same audio; both expose the same decoder and indicator.
template <typename Demodulator>
void runRttyReceive(benchmark::State& state, Demodulator& demod)
{
    const double baud = state.range(0) == 100 ? 100.0 : 45.45;
    const auto& audio = rttyAudio(baud);
    std::string text;
    engine::TextSink sink(&text);
    demod.setSymbolRate(baud);
    demod.setFrequency(1000.0);
    demod.decoder().setTextSink(&sink);
    for (auto _ : state) {
        demod.processBlock(audio);
        benchmark::DoNotOptimize(demod.discriminatorSum());
        text.clear();
    }
    report(state, audio.size());
}

void BM_RttyReceive(benchmark::State& state)
{
    engine::SineTable table;
    engine::RttyDemodulator demod(table);
    runRttyReceive(state, demod);
}
BENCHMARK(BM_RttyReceive)->Arg(45)->Arg(100);

// The matched-filter receiver: goal at least 1000 x real time on one core.
void BM_RttyMatchedReceive(benchmark::State& state)
{
    engine::RttyMatchedDemodulator demod;
    runRttyReceive(state, demod);
}
BENCHMARK(BM_RttyMatchedReceive)->Arg(45)->Arg(100);

void BM_Fsk31Receive(benchmark::State& state)
{
    const auto& audio = fsk31Audio();
    engine::SineTable table;
    std::string text;
    engine::TextSink sink(&text);
    engine::VaricodeDecoder varicode(&sink);
    engine::DecoderSelector selector(&varicode);
    engine::Fsk31Demodulator demod(table);
    demod.setSink(&selector);
    demod.setFrequency(1000.0);
    for (auto _ : state) {
        demod.processBlock(audio);
        benchmark::DoNotOptimize(demod.publishedCorrection());
        text.clear();
    }
    report(state, audio.size());
}
BENCHMARK(BM_Fsk31Receive);

}  // namespace

BENCHMARK_MAIN();
