#include "engine/rx/psk_demodulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace vexa::engine {
namespace {

struct RecordedSymbol {
    int32_t i, q, level;
    bool operator==(const RecordedSymbol&) const = default;
};

class RecordingSink : public SymbolSink {
public:
    void bit(int b) override { bits.push_back(b); }
    void symbol(int32_t i, int32_t q, int32_t level) override { symbols.push_back({i, q, level}); }
    void reset() override { ++resets; }
    std::vector<int> bits;
    std::vector<RecordedSymbol> symbols;
    int resets = 0;
};

// The front end with the other classes' constants, as the RTTY and FSK31 receivers use it.
class ConfiguredFrontEnd : public PskDemodulator {
public:
    ConfiguredFrontEnd(const SineTable& t, const DemodulatorConfig& c) : PskDemodulator(t, c) {}
};

std::vector<int16_t> tone(double hz, double amplitude, int samples, double phase = 0.0)
{
    std::vector<int16_t> out(static_cast<std::size_t>(samples));
    for (int n = 0; n < samples; ++n)
        out[static_cast<std::size_t>(n)] =
            static_cast<int16_t>(std::lround(amplitude * std::cos(2.0 * M_PI * hz * n / 11025.0 + phase)));
    return out;
}

class PskDemodulatorTest : public ::testing::Test {
protected:
    PskDemodulatorTest() { psk.setSink(&sink); }
    SineTable table;
    PskDemodulator psk{table};
    RecordingSink sink;
};

TEST_F(PskDemodulatorTest, ConfigurationsAtTheNativeRate)
{
    EXPECT_EQ(psk.ringLength(), 22);
    EXPECT_EQ(psk.decimationIncrement(), 2972);
    EXPECT_EQ(psk.symbolIncrement(), 4096);
    EXPECT_EQ(psk.frequency(), 700.0);
    EXPECT_EQ(psk.ncoIncrement(), 4161);  // trunc(700 / 11025 * 65536)

    ConfiguredFrontEnd rtty(table, kRttyDemodulatorConfig);
    EXPECT_EQ(rtty.ringLength(), 15);
    EXPECT_EQ(rtty.decimationIncrement(), 4458);
    EXPECT_EQ(rtty.symbolIncrement(), 3971);
    rtty.setSymbolRate(100.0);
    EXPECT_EQ(rtty.symbolIncrement(), 8738);

    const ConfiguredFrontEnd fsk(table, kFsk31DemodulatorConfig);
    EXPECT_EQ(fsk.ringLength(), 22);
    EXPECT_EQ(fsk.decimationIncrement(), 2972);
    EXPECT_EQ(fsk.symbolIncrement(), 4096);
}

TEST_F(PskDemodulatorTest, CoefficientTablesAreSymmetricAboutTheCentre)
{
    for (const auto* t : {&kPskCoefficients, &kFsk31Coefficients, &kRttyCoefficients})
        for (std::size_t k = 1; k < 32; ++k) EXPECT_EQ((*t)[32 - k], (*t)[32 + k]) << k;
    int sum = 0;
    for (const int c : kRttyCoefficients) sum += c;
    EXPECT_EQ(sum, 0);  // the RTTY band-pass rejects the centre (DC after mixing)
}

TEST_F(PskDemodulatorTest, FrequenciesWrapInSixteenBits)
{
    psk.setFrequency(1000.0);
    EXPECT_EQ(psk.ncoIncrement(), 5944);
    psk.setFrequency(11025.0 + 1000.0);  // one sample rate up: the same mixer modulo 65536
    EXPECT_EQ(psk.ncoIncrement(), static_cast<int16_t>(71480));
    psk.setFrequency(8000.0);  // above half the rate: the increment reads as negative
    EXPECT_LT(psk.ncoIncrement(), 0);
    psk.setFrequency(-1000.0);
    EXPECT_EQ(psk.ncoIncrement(), -5944);
}

TEST_F(PskDemodulatorTest, ZeroSampleRateStopsEverythingSafely)
{
    psk.setSampleRate(0);
    EXPECT_EQ(psk.ncoIncrement(), 0);
    EXPECT_EQ(psk.decimationIncrement(), 0);
    EXPECT_EQ(psk.symbolIncrement(), 0);
    EXPECT_EQ(psk.ringLength(), 0);
    psk.setFrequency(1500.0);
    EXPECT_EQ(psk.ncoIncrement(), 0);
    const auto samples = tone(1000.0, 8000.0, 5000);
    psk.processBlock(samples);  // the ring position must stay inside the ring (ASan)
    EXPECT_TRUE(sink.symbols.empty());
    EXPECT_EQ(psk.ncoPhase(), 0);
}

TEST_F(PskDemodulatorTest, HighSampleRatesKeepTheMovingSumInsideItsRing)
{
    psk.setSampleRate(48000);
    EXPECT_EQ(psk.ringLength(), PskDemodulator::kRingCapacity);
    const auto samples = tone(1000.0, 8000.0, 4000);
    psk.processBlock(samples);
}

TEST_F(PskDemodulatorTest, AllZeroInputGivesZeroSymbolsAndLevel)
{
    const std::vector<int16_t> silence(11025, 0);
    psk.processBlock(silence);
    // One second: 31.25 symbols, give or take the first one.
    EXPECT_GE(sink.symbols.size(), 30u);
    EXPECT_LE(sink.symbols.size(), 32u);
    for (const auto& s : sink.symbols) EXPECT_EQ(s, (RecordedSymbol{0, 0, 30}));
    EXPECT_EQ(psk.discriminator(), 0);
    EXPECT_EQ(psk.level(), 0);
}

TEST_F(PskDemodulatorTest, SteadyCarrierGivesSteadySymbolsAtTheSymbolRate)
{
    psk.setFrequency(1000.0);
    psk.processBlock(tone(1000.0, 10000.0, 11025 * 4));
    ASSERT_GE(sink.symbols.size(), 124u);
    EXPECT_LE(sink.symbols.size(), 126u);
    // After the filters have filled, every symbol has the same phase to within the few
    // degrees that the 0.02% NCO truncation turns per symbol.
    double last = 0.0;
    for (std::size_t n = 10; n < sink.symbols.size(); ++n) {
        const auto& s = sink.symbols[n];
        EXPECT_GE(s.level, 30 + 16);
        const double phase = std::atan2(s.q, s.i);
        if (n > 10) {
            double step = std::remainder(phase - last, 2.0 * M_PI);
            EXPECT_LT(std::fabs(step), 0.1) << n;
        }
        last = phase;
    }
}

TEST_F(PskDemodulatorTest, ACopyMadeMidStreamContinuesIdentically)
{
    PskDemodulator& a = psk;
    RecordingSink& sinkA = sink;
    a.setFrequency(1234.5);
    const auto samples = tone(1236.0, 12000.0, 20000, 0.3);
    a.processBlock(std::span(samples).first(7777));
    PskDemodulator b = a;
    RecordingSink sinkB;
    b.setSink(&sinkB);
    sinkA.symbols.clear();
    a.processBlock(std::span(samples).subspan(7777));
    b.processBlock(std::span(samples).subspan(7777));
    EXPECT_EQ(sinkA.symbols, sinkB.symbols);
    EXPECT_EQ(a.discriminator(), b.discriminator());
}

TEST_F(PskDemodulatorTest, ResetClearsTheStreamButKeepsTheHistories)
{
    psk.setFrequency(1000.0);
    psk.processBlock(tone(1000.0, 10000.0, 3000));
    const auto timing = psk.timingHistory();
    const int32_t level = psk.level();
    ASSERT_GT(level, 0);
    psk.reset();
    EXPECT_EQ(sink.resets, 1);
    EXPECT_EQ(psk.ncoPhase(), 0);
    EXPECT_EQ(psk.symbolClock(), 0);
    EXPECT_EQ(psk.timingHistory(), timing);
    EXPECT_EQ(psk.level(), level);
    EXPECT_EQ(psk.ncoIncrement(), 5944);  // settings stay

    // A reset demodulator fed the same samples as a fresh one with the same histories
    // behaves identically from there on: the reset state is the fresh state.
    PskDemodulator copy = psk;
    RecordingSink sinkCopy;
    copy.setSink(&sinkCopy);
    sink.symbols.clear();
    const auto more = tone(1000.0, 10000.0, 3000);
    psk.processBlock(more);
    copy.processBlock(more);
    EXPECT_EQ(sink.symbols, sinkCopy.symbols);
}

}  // namespace
}  // namespace vexa::engine
