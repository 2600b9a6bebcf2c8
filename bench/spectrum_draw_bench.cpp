// One complete spectrum draw (capture copy, transform, autoscale, waterfall row, scroll,
// markers) for a control 1000 pixels wide, the per-block cost of the waterfall.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "display/spectrum_display.h"
#include "support/fake_spectrum_port.h"
#include "support/psk31_test_signal.h"

namespace {

void drawFrame(benchmark::State& state, vexa::display::DisplayType type)
{
    vexa::testing::FakeSpectrumPort port;
    port.settings.startHz = 384;
    port.settings.zoom = 0;
    port.settings.options.showAverage = true;
    vexa::testing::Psk31TestSignal signal({{900.0, 3000}, {1500.0, 2000}, {2100.0, 1000}}, 800.0);
    std::array<int16_t, 2048> block{};
    signal.fill(block);
    vexa::display::SpectrumDisplay display(port);
    display.renderer().setDisplayType(type);
    const int width = static_cast<int>(state.range(0));
    const int height = 200;
    for (auto _ : state) {
        port.capture.request();
        port.offerBlock(block);
        auto r = display.draw(width, height);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(display.renderer().image().data());
    }
    // Blocks arrive at 11025 / 2048 = 5.4 per second at most.
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * 2048.0 / 11025.0, benchmark::Counter::kIsRate);
}

void BM_SpectrumDrawWaterfall(benchmark::State& state)
{
    drawFrame(state, vexa::display::DisplayType::Waterfall);
}
void BM_SpectrumDrawLine(benchmark::State& state)
{
    drawFrame(state, vexa::display::DisplayType::SpectrumLine);
}

}  // namespace

BENCHMARK(BM_SpectrumDrawWaterfall)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpectrumDrawLine)->Arg(1000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
