// Transmit encodings: the transmit table, the BPSK and QPSK encoders, the Morse table,
// the Baudot half-bit words and the tone modulator's arithmetic.
#include <gtest/gtest.h>

#include <cmath>

#include <cstdlib>
#include <vector>

#include "engine/rx/baudot_tables.h"
#include "engine/tx/morse_table.h"
#include "engine/tx/qpsk_encoder.h"
#include "engine/tx/tone_modulator.h"
#include "engine/tx/transmit_machine.h"
#include "engine/tx/varicode_encoder.h"

namespace vexa::engine {
namespace {

TEST(TransmitTable, EntriesStartWithTwoSeparatingZeros)
{
    TransmitTable table;
    VaricodeEncoder enc(table);
    enc.setCode(0b1, ' ');
    enc.setCode(0b11, 'e');
    enc.setCode(0b101101011011, 255);  // a 12-bit word: its last bit lands on bit 2
    enc.setCode(0, 7);
    enc.setCode(0b111, 256);  // beyond the table: ignored
    EXPECT_EQ(table.entries[' '], 0x2000);
    EXPECT_EQ(table.entries['e'], 0x3000);
    EXPECT_EQ(table.entries[255], 0x2D6C);
    EXPECT_EQ(table.entries[7], 0x2000);
    enc.loadChar(256);
    EXPECT_EQ(enc.bitRegister(), 0);
}

TEST(VaricodeEncoder, ZeroBitsReverseAndTheLastBitAsksForMore)
{
    TransmitTable table;
    VaricodeEncoder enc(table);
    enc.setCode(0b11, 'e');
    enc.loadChar('e');
    std::vector<int> phases;
    std::vector<bool> needs;
    for (int i = 0; i < 6; ++i) {
        bool need = false;
        phases.push_back(enc.nextSymbol(need));
        needs.push_back(need);
    }
    // 0, 0, 1, 1 then idle zeros.
    EXPECT_EQ(phases, (std::vector<int>{2, 0, 0, 0, 2, 0}));
    EXPECT_EQ(needs, (std::vector<bool>{false, false, false, true, true, true}));
}

TEST(QpskEncoder, IdleIsSteadyReversalsAndInversionMirrorsTheSteps)
{
    TransmitTable table;
    QpskEncoder enc(table);
    EXPECT_EQ(QpskEncoder::kG[31], 2);
    EXPECT_EQ(QpskEncoder::kG[0], 0);
    EXPECT_EQ(QpskEncoder::kG[1], 3);
    bool need = false;
    int last = 0;
    for (int i = 0; i < 5; ++i) last = enc.nextSymbol(need);
    EXPECT_TRUE(need);
    EXPECT_EQ(enc.state(), 31);
    for (int i = 0; i < 4; ++i) {
        const int p = enc.nextSymbol(need);
        EXPECT_EQ((p - last) & 3, 2);
        last = p;
    }
    // A one bit (zero into the code) after idle: step G[30] = 2*parity(0x18) + parity(0x16).
    enc.setCode(0b1, ' ');
    enc.loadChar(' ');  // 0, 0, 1
    QpskEncoder inv(table);
    inv.setInverted(true);
    QpskEncoder plain(table);
    plain.loadChar(' ');
    inv.loadChar(' ');
    int pp = 0, pi = 0;
    for (int i = 0; i < 3; ++i) {
        const int a = plain.nextSymbol(need);
        const int b = inv.nextSymbol(need);
        EXPECT_EQ((a - pp) & 3, (4 - ((b - pi) & 3)) & 3) << "symbol " << i;
        pp = a;
        pi = b;
    }
    EXPECT_TRUE(need);
    plain.resetEncoder();
    EXPECT_EQ(plain.state(), 0);
}

TEST(MorseTable, PublishedPatterns)
{
    const MorseTable m;
    EXPECT_EQ(m['A'], 0b110);  // .- read from bit 0, stop bit above
    EXPECT_EQ(m['a'], m['A']);
    EXPECT_EQ(m['B'], MorseTable::pattern("-..."));
    EXPECT_EQ(m['B'], 0b10001);
    EXPECT_EQ(m['0'], 0b111111);
    EXPECT_EQ(m['5'], 0b100000);
    EXPECT_EQ(m[','], MorseTable::pattern("--..--"));
    EXPECT_EQ(m['/'], MorseTable::pattern("-..-."));
    EXPECT_EQ(m['\\'], m['/']);
    EXPECT_EQ(m['|'], m['/']);
    EXPECT_EQ(m['='], MorseTable::pattern("-...-"));
    EXPECT_EQ(m['?'], MorseTable::pattern("..--.."));
    EXPECT_EQ(m[2], 0xFF);  // seven dashes
    EXPECT_EQ(m['.'], 1);
    EXPECT_EQ(m['-'], 1);
    EXPECT_EQ(m[' '], 1);
    EXPECT_EQ(m[0], 1);
    EXPECT_EQ(m[0x80], m['A']);                        // А
    EXPECT_EQ(m[0x97], MorseTable::pattern("---."));   // Ч
    EXPECT_EQ(m[0x9A], MorseTable::pattern("-..-"));   // Ъ
    EXPECT_EQ(m[0x9C], m[0x9A]);                       // Ь
    EXPECT_EQ(m[0x9F], MorseTable::pattern(".-.-."));  // Я
    EXPECT_EQ(m[0xA0], m[0x80]);                       // а
    EXPECT_EQ(m[0xE0], m[0x90]);                       // р
    EXPECT_EQ(m[0xEF], m[0x9F]);                       // я
    EXPECT_EQ(m[0xB0], 1);                             // box drawing: nothing
    EXPECT_EQ(m[0xF0], 1);
}

TEST(BaudotWord, FramesStartDataAndStopHalfBits)
{
    // LTRS: all marks; only the start half-bits are space.
    EXPECT_EQ(baudotHalfBitWord(kBaudotLtrs), 0x7FFCu);
    // 'e' is code 16: ITA2 bit 1 (index bit 4) goes first after the start.
    const uint32_t e = baudotHalfBitWord(16);
    std::vector<int> bits;
    for (int i = 0; i < 15; ++i) bits.push_back(static_cast<int>((e >> i) & 1));
    EXPECT_EQ(bits, (std::vector<int>{0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
}

struct ToneModulatorTest : ::testing::Test {
    const SineTable t;
    ToneModulator m{t};
};

TEST_F(ToneModulatorTest, IncrementsFromFrequencyShiftAndRate)
{
    m.configure(16.625, 31.25);
    EXPECT_EQ(m.carrierIncrement(), 5944);
    EXPECT_EQ(m.symbolIncrement(), 12173943u);
    EXPECT_EQ(m.upperIncrement(), 5993);
    EXPECT_EQ(m.lowerIncrement(), 5894);
    m.configure(180.0, 90.9);
    EXPECT_EQ(m.symbolIncrement(), 35411567u);
    m.setFrequency(0.0);
    EXPECT_EQ(m.carrierIncrement(), 0);
    EXPECT_EQ(m.symbolIncrement(), 0u);
    m.setFrequency(1000.0);
    m.setSampleRate(0);
    EXPECT_EQ(m.upperIncrement(), 0);
    EXPECT_EQ(m.symbolIncrement(), 0u);
    m.setSampleRate(11025);
    m.setFrequency(6000.0);  // above half the rate: the 16-bit increment wraps
    EXPECT_EQ(m.carrierIncrement(), static_cast<int16_t>(35665));
}

TEST_F(ToneModulatorTest, NonFiniteFrequenciesAreRefused)
{
    m.configure(180.0, 90.9);
    m.setFrequency(1500.0);
    const int16_t carrier = m.carrierIncrement();
    const uint32_t symbol = m.symbolIncrement();
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        m.setFrequency(bad);
        m.configure(bad, 31.25);
        m.configure(16.625, bad);
        EXPECT_EQ(m.frequency(), 1500.0);
        EXPECT_EQ(m.shift(), 180.0);
        EXPECT_EQ(m.carrierIncrement(), carrier);
        EXPECT_EQ(m.symbolIncrement(), symbol);
    }
    m.setFrequency(1.0e300);  // finite but beyond any increment: no tone rather than UB
    EXPECT_EQ(m.carrierIncrement(), 0);
}

TEST_F(ToneModulatorTest, SymbolsLastTheirPeriodAndFadeInFromSilence)
{
    m.configure(16.625, 31.25);
    m.setSymbol(ToneModulator::kPhase0);  // from silence
    std::vector<int> ends;
    int peakFirst = 0, peakSecond = 0, first = 0;
    for (int n = 0; n < 1200; ++n) {
        bool end = false;
        const int s = m.next(end);
        if (n == 0) first = s;
        if (ends.empty())
            peakFirst = std::max(peakFirst, std::abs(s));
        else if (ends.size() == 1)
            peakSecond = std::max(peakSecond, std::abs(s));
        if (end) {
            ends.push_back(n);
            m.setSymbol(ToneModulator::kPhase0);
        }
    }
    ASSERT_GE(ends.size(), 3u);
    EXPECT_EQ(ends[0], 352);  // 11025 / 31.25 = 352.8 samples per symbol
    EXPECT_EQ(ends[1] - ends[0], 353);
    EXPECT_EQ(first, 0);
    EXPECT_GT(peakFirst, 32000);  // the fade-in ends at full level
    EXPECT_GT(peakSecond, 32700);
}

TEST_F(ToneModulatorTest, TonesChangeWithoutPhaseJumps)
{
    for (const auto& [shift, rate, a, b] :
         {std::tuple{16.625, 31.25, 5, 7}, std::tuple{180.0, 90.9, 10, 11}}) {
        m = ToneModulator(t);
        m.configure(shift, rate);
        m.setFrequency(1500.0);
        m.setSymbol(a);
        m.setSymbol(a);
        int prev = 0;
        int maxStep = 0;
        int toggles = 0;
        for (int n = 0; n < 5000; ++n) {
            bool end = false;
            const int s = m.next(end);
            if (n > 0) maxStep = std::max(maxStep, std::abs(s - prev));
            prev = s;
            if (end) {
                m.setSymbol((toggles++ & 1) != 0 ? a : b);
            }
        }
        // 1590 Hz at 11025/s moves at most 2 pi f / fs * 32767 = 29700 per sample.
        EXPECT_LT(maxStep, 30000);
        EXPECT_GT(toggles, 10);
    }
}

TEST_F(ToneModulatorTest, ACopyMadeMidSymbolContinuesIdentically)
{
    ToneModulator& a = m;
    a.configure(16.625, 31.25);
    a.setFrequency(1234.0);
    a.setSymbol(ToneModulator::kPhase0);
    bool end = false;
    for (int n = 0; n < 500; ++n) a.next(end);
    a.setSymbol(ToneModulator::kPhase180);
    for (int n = 0; n < 100; ++n) a.next(end);
    ToneModulator b = a;
    for (int n = 0; n < 2000; ++n) {
        bool ea = false, eb = false;
        ASSERT_EQ(a.next(ea), b.next(eb)) << n;
        ASSERT_EQ(ea, eb);
        if (ea) {
            a.setSymbol(n % 4);
            b.setSymbol(n % 4);
        }
    }
}

TEST_F(ToneModulatorTest, RttyToneFadesOutIntoSilence)
{
    m.configure(180.0, 90.9);
    m.setSymbol(ToneModulator::kRttyUpper);
    m.setSymbol(ToneModulator::kRttyUpper);
    bool end = false;
    while (!end) m.next(end);
    m.setSymbol(ToneModulator::kSilence);
    int lastPeak = 0;
    int n = 0;
    std::vector<int> samples;
    for (end = false; !end; ++n) samples.push_back(m.next(end));
    for (std::size_t i = samples.size() - 3; i < samples.size(); ++i)
        lastPeak = std::max(lastPeak, std::abs(samples[i]));
    EXPECT_GT(std::abs(samples[0]) + std::abs(samples[1]) + std::abs(samples[2]), 20000);
    EXPECT_LT(lastPeak, 100);
}

}  // namespace
}  // namespace vexa::engine
