#include "engine/rx/varicode_decoder.h"
#include "engine/rx/qpsk_decoder.h"
#include "engine/rx/varicode_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vexa::engine {
namespace {

void feedBits(VaricodeDecoder& d, std::string_view bits)
{
    for (const char b : bits) d.bit(b == '1' ? 1 : 0);
}

struct VaricodeDecoderTest : ::testing::Test {
    std::string text;
    TextSink sink{&text};
    VaricodeDecoder d{&sink};
};

TEST_F(VaricodeDecoderTest, WordThenTwoZerosIsACharacter)
{
    feedBits(d, "100");
    EXPECT_EQ(text, " ");
    feedBits(d,
             "1100"
             "10100"
             "101100"
             "101010110100");  // e t a Z
    EXPECT_EQ(text, " etaZ");
    EXPECT_EQ(d.bitRegister(), 0);
}

TEST_F(VaricodeDecoderTest, EveryCodeRoundTripsThroughTheDecodeTable)
{
    std::string expected;
    for (int c = 0; c < kVaricodeCodes; ++c) {
        for (uint16_t w = kVaricodeTable[static_cast<std::size_t>(c)], bit = 0x800; bit != 0; bit >>= 1)
            if (w >= bit) d.bit((w & bit) != 0 ? 1 : 0);
        d.bit(0);
        d.bit(0);
        expected.push_back(static_cast<char>(c));
    }
    EXPECT_EQ(text, expected);
}

TEST_F(VaricodeDecoderTest, UnknownAndOverlongWords)
{
    feedBits(d,
             "111111111101"
             "00");  // a valid 12-bit shape no character uses
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0], '\0');
    feedBits(d,
             "111111111111"
             "00");  // word >> 1 = 2047: beyond the table, dropped
    EXPECT_EQ(text.size(), 1u);
    EXPECT_EQ(d.bitRegister(), 0);  // but the register starts afresh
    feedBits(d, "100");
    EXPECT_EQ(text, std::string("\0 ", 2));
}

TEST(VaricodeDecoder, ACharacterDecodedWithoutASinkIsDroppedNotKept)
{
    VaricodeDecoder d;
    feedBits(d, "1100");  // 'e' into nothing
    std::string text;
    TextSink sink(&text);
    d.setTextSink(&sink);
    feedBits(d, "10100");  // 't'
    EXPECT_EQ(text, "t");
}

TEST_F(VaricodeDecoderTest, SteadyCarrierAndIdleReversalsGiveNoCharacters)
{
    for (int n = 0; n < 200; ++n) d.symbol(500000000, 300000000, 60);  // no phase change: ones
    EXPECT_EQ(d.bitRegister(), 0xFFFF);
    for (int n = 0; n < 200; ++n) {  // reversals every symbol: zeros
        const int32_t s = (n & 1) ? -1 : 1;
        d.symbol(s * 500000000, s * 300000000, 60);
    }
    EXPECT_EQ(d.bitRegister(), 0);
    EXPECT_EQ(text, "");
}

TEST_F(VaricodeDecoderTest, PhaseLoopTracksASlowRotation)
{
    // A carrier 1 Hz off turns (i, q) by 11.5 degrees per symbol; the loop absorbs that into the
    // drift estimate and still reads every symbol as a one.
    const double perSymbol = 2.0 * M_PI / 31.25;
    int ones = 0;
    for (int n = 0; n < 400; ++n) {
        const double a = perSymbol * n;
        d.symbol(static_cast<int32_t>(1e9 * std::cos(a)), static_cast<int32_t>(1e9 * std::sin(a)), 60);
        if (n > 100) ones += (d.bitRegister() & 1);
    }
    EXPECT_EQ(ones, 299);
    // The mixer conjugates, so (i, q) turning forwards is a carrier below the receive
    // frequency: the drift is positive and the AFC, which subtracts it, tunes down.
    EXPECT_GT(d.drift(), 0);
}

TEST(VaricodeDecoder, ResetKeepsTheLoopState)
{
    VaricodeDecoder d;
    for (int n = 0; n < 50; ++n) d.symbol(1000 * (n + 1), 100000 * n, 40);
    d.bit(1);
    const int32_t drift = d.drift();
    const int32_t jitter = d.jitter();
    d.reset();
    EXPECT_EQ(d.bitRegister(), 0);
    EXPECT_EQ(d.drift(), drift);
    EXPECT_EQ(d.jitter(), jitter);
}

TEST(QpskDecoder, EncoderTableFromThePolynomials)
{
    EXPECT_EQ(kQpskEncoderOutput[0], 0);
    EXPECT_EQ(kQpskEncoderOutput[1], 3);     // the newest bit feeds both polynomials
    EXPECT_EQ(kQpskEncoderOutput[0x10], 3);  // so does the oldest
    EXPECT_EQ(kQpskEncoderOutput[0x08], 2);  // 11001 only
    EXPECT_EQ(kQpskEncoderOutput[0x04], 1);  // 10111 only
    EXPECT_EQ(kQpskEncoderOutput[31], 2);    // 11001 has odd weight, 10111 even
}

TEST(QpskDecoder, ResetRestoresTheStartMetrics)
{
    QpskDecoder d;
    EXPECT_EQ(d.metric(0), 9);
    EXPECT_EQ(d.metric(15), 0);
    EXPECT_EQ(d.path(0), static_cast<uint32_t>(-16));
    for (int n = 0; n < 30; ++n) d.symbol(n * 999999, -n * 777777, 50);
    d.reset();
    EXPECT_EQ(d.metric(1), 10);
    EXPECT_EQ(d.metric(14), 2);
    EXPECT_EQ(d.path(15), static_cast<uint32_t>(-1));
}

TEST(QpskDecoder, DibitsFromQuarterTurns)
{
    QpskDecoder d;
    const int32_t big = 1 << 28;
    d.symbol(big, 0, 60);
    d.symbol(big, 0, 60);
    EXPECT_EQ(d.lastDibit(), 0);
    d.symbol(0, -big, 60);  // -90 degrees
    EXPECT_EQ(d.lastDibit(), 1);
    d.symbol(0, big, 60);  // 180
    EXPECT_EQ(d.lastDibit(), 2);
    d.symbol(-big, 0, 60);  // +90
    EXPECT_EQ(d.lastDibit(), 3);
    d.setInverted(true);
    d.symbol(0, -big, 60);  // +90 read the other way round
    EXPECT_EQ(d.lastDibit(), 1);
}

}  // namespace
}  // namespace vexa::engine
