// The FSK31 receiver: independent float FSK31 audio (varicode on two tones 16.625 Hz
// apart) through Fsk31Demodulator, bits checked against the sent stream; the symbol
// decision driven with exact values for the AFC accumulator, dead zone and clamp.
#include "engine/rx/fsk31_demodulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/rx/symbol_sink.h"
#include "support/fsk_test_signal.h"

namespace vexa::engine {
namespace {

using test::FskWriter;

class BitRecorder : public SymbolSink {
public:
    void bit(int b) override { bits.push_back(b); }
    void symbol(int32_t, int32_t, int32_t) override {}
    void reset() override { ++resets; }
    std::vector<int> bits;
    int resets = 0;
};

// Splits a bit stream at "00" the way a varicode receiver does and maps each word back
// with the generator's own table. The first bits, while the filters settle on the idle
// preamble, are skipped.
std::string varicodeText(const std::vector<int>& bits, std::size_t settle = 16)
{
    std::string out;
    std::string word;
    int zeros = 0;
    for (std::size_t k = settle; k < bits.size(); ++k) {
        const int b = bits[k];
        if (b == 1) {
            if (zeros == 1) word += '0';
            zeros = 0;
            word += '1';
            continue;
        }
        if (++zeros == 2 && !word.empty()) {
            char found = '?';
            for (int c = 1; c < 128; ++c) {
                if (test::referenceVaricodeWord(c) == word) found = static_cast<char>(c);
            }
            out += found;
            word.clear();
        }
    }
    return out;
}

struct Fsk31Receiver {
    explicit Fsk31Receiver(double centreHz)
    {
        demod.setFrequency(centreHz);
        demod.setSink(&sink);
    }
    SineTable table;
    BitRecorder sink;
    Fsk31Demodulator demod{table};
};

constexpr std::string_view kMessage = "cq cq de dl0vxa dl0vxa k\r\nTNX ur 599 23 e";

TEST(Fsk31Receiver, SteadyToneGivesOnesAndAlternatingTonesGiveZeros)
{
    Fsk31Receiver rx(1000.0);
    FskWriter steady;
    steady.tone(1000.0 + 8.3125, 2.0);
    rx.demod.processBlock(test::toPcm(steady.samples()));
    ASSERT_GE(rx.sink.bits.size(), 60U);
    EXPECT_TRUE(std::all_of(rx.sink.bits.begin() + 4, rx.sink.bits.end(), [](int b) { return b == 1; }));
    EXPECT_EQ(varicodeText(rx.sink.bits), "");

    Fsk31Receiver idle(1000.0);
    idle.demod.processBlock(test::fsk31Pcm("", 1000.0));  // idle zeros only
    ASSERT_GE(idle.sink.bits.size(), 60U);
    EXPECT_TRUE(std::all_of(idle.sink.bits.begin() + 8, idle.sink.bits.end(), [](int b) { return b == 0; }));
}

TEST(Fsk31Receiver, TracksAToneOffsetWithItsAccumulator)
{
    for (double offset : {-1.0, 1.0}) {
        SCOPED_TRACE(testing::Message() << "offset " << offset << " Hz");
        Fsk31Receiver rx(1000.0);
        rx.demod.setPublishedCorrection(1);  // non-zero: the accumulator is kept
        rx.demod.processBlock(test::fsk31Pcm(kMessage, 1000.0 + offset));
        EXPECT_EQ(varicodeText(rx.sink.bits), kMessage);
        // The accumulator settles towards the offset (32 units per discriminator unit, about
        // 100 discriminator units per Hz); its published correction points the other way.
        EXPECT_GT(rx.demod.afcAccumulator() * offset, 0.0);
        EXPECT_LT(static_cast<double>(rx.demod.publishedCorrection()) * offset, 0.0);
    }
}

TEST(Fsk31Receiver, DecodesCleanSignalAtAnyCentreAndLevel)
{
    for (const auto& [centreHz, amplitude] :
         {std::pair{1000.0, 16000.0}, std::pair{1500.0, 1000.0}, std::pair{1500.0, 4000.0},
          std::pair{1500.0, 16000.0}, std::pair{1500.0, 32000.0}}) {
        SCOPED_TRACE(testing::Message() << centreHz << " Hz, amplitude " << amplitude);
        Fsk31Receiver rx(centreHz);
        rx.demod.processBlock(test::fsk31Pcm(kMessage, centreHz, amplitude));
        EXPECT_EQ(varicodeText(rx.sink.bits), kMessage);
    }
}

TEST(Fsk31Receiver, CharacterErrorsInNoise)
{
    std::string text;
    for (int i = 0; i < 4; ++i) text += "the quick brown fox jumps over the lazy dog 0123 ";
    FskWriter w(8000.0);
    test::keyFsk31(w, test::varicodeBitsWithIdle(text), 1000.0);
    const double power = 8000.0 * 8000.0 / 2.0;
    struct Band {
        double snrDb;
        double maxCer;
    };
    for (const Band b : {Band{0.0, 0.005}, Band{-6.0, 0.05}, Band{-9.0, 0.12}}) {
        Fsk31Receiver rx(1000.0);
        rx.demod.processBlock(test::withNoise(w.samples(), power, b.snrDb, 77));
        const std::string got = varicodeText(rx.sink.bits);
        const double cer = test::characterErrorRate(text, got);
        std::printf("FSK31, generator, SNR %+.0f dB in 2500 Hz: CER %.2f %%\n", b.snrDb, cer * 100.0);
        EXPECT_LE(cer, b.maxCer) << got;
    }
}

TEST(Fsk31Receiver, ResetReachesTheSink)
{
    Fsk31Receiver rx(1000.0);
    rx.demod.reset();
    EXPECT_EQ(rx.sink.resets, 1);
}

// Drives the symbol decision with exact values.
class DecisionProbe : public Fsk31Demodulator {
public:
    using Fsk31Demodulator::Fsk31Demodulator;
    void decide(int32_t discriminator)
    {
        m_discriminator = discriminator;
        symbolDecision();
    }
    void setAccumulator(int32_t a) { m_afc = a; }
};

struct Fsk31Decision : ::testing::Test {
    SineTable table;
    DecisionProbe p{table};
};

TEST_F(Fsk31Decision, ZeroCorrectionClearsTheAccumulatorFirst)
{
    p.setAccumulator(6400);
    p.setPublishedCorrection(0);
    p.decide(800);  // c = 800: A = 0 + 800 - 800
    EXPECT_EQ(p.afcAccumulator(), 0);
    EXPECT_EQ(p.publishedCorrection(), 0);
}

TEST_F(Fsk31Decision, OutsideTheDeadZoneTheAccumulatorLearnsTheOffset)
{
    BitRecorder sink;
    p.setSink(&sink);
    p.setPublishedCorrection(1);
    p.setAccumulator(3200);  // A >> 5 = 100
    p.decide(1000);          // c = 900 > 200: A += 900 - 800
    EXPECT_EQ(p.afcAccumulator(), 3300);
    EXPECT_EQ(p.publishedCorrection(), 3300 * -25000);
    EXPECT_EQ(p.previousTone(), 1);
    p.decide(-600);  // c = -600 - 103 = -703 < -200: A += -703 + 800
    EXPECT_EQ(p.afcAccumulator(), 3397);
    EXPECT_EQ(p.previousTone(), 0);
    EXPECT_EQ(sink.bits, (std::vector<int>{0, 0}));  // the tone changed both times
}

TEST_F(Fsk31Decision, InsideTheDeadZoneTheAccumulatorDecays)
{
    p.setPublishedCorrection(1);
    p.setAccumulator(6400);  // A >> 5 = 200
    p.decide(350);           // c = 150: inside +-200
    EXPECT_EQ(p.afcAccumulator(), 6300);
    p.decide(50);  // c = 50 - 196 = -146: inside again
    EXPECT_EQ(p.afcAccumulator(), 6300 - (6300 >> 6));
    EXPECT_EQ(p.publishedCorrection(), (6300 - (6300 >> 6)) * -25000);
}

TEST_F(Fsk31Decision, ClampIsStoredBack)
{
    p.decide(5000);
    EXPECT_EQ(p.discriminator(), 1600);
    EXPECT_EQ(p.afcAccumulator(), 800);  // c = 1600 (A cleared: the correction was 0)
    p.decide(-9000);
    EXPECT_EQ(p.discriminator(), -1600);
}

}  // namespace
}  // namespace vexa::engine
