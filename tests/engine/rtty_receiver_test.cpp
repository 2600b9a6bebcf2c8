// The RTTY receiver end to end: independent float FSK audio (45.45 and 100 Bd) through
// RttyDemodulator and BaudotDecoder, with noise, offsets and both polarities; the
// slicer and bit timing driven with exact discriminator values.
#include "engine/rx/rtty_demodulator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "engine/rx/text_sink.h"
#include "support/fsk_test_signal.h"

namespace vexa::engine {
namespace {

using test::FskWriter;
using test::RttyKeying;

struct Receiver {
    explicit Receiver(double centreHz, double baud = 45.45)
    {
        demod.setFrequency(centreHz);
        demod.setSymbolRate(baud);
        demod.decoder().setTextSink(&sink);
    }
    std::string run(const std::vector<int16_t>& samples)
    {
        demod.processBlock(samples);
        return text;
    }
    SineTable table;
    std::string text;
    TextSink sink{&text};
    RttyDemodulator demod{table};
};

std::vector<int16_t> rttyAudio(std::string_view text, const RttyKeying& k, bool shiftAfterSpace = true,
                               double amplitude = 16000.0)
{
    FskWriter w(amplitude);
    test::keyRtty(w, test::ita2Codes(text, shiftAfterSpace), k);
    return test::toPcm(w.samples());
}

constexpr std::string_view kMessage = "CQ CQ DE DL0VXA 599 TNX 73\r\nRST 5NN, QTH: BERLIN (JO62) ";

// Bits are handed over at tone changes: a recording that ends on mark holds the final bits
// of its last character (X ends with three marks and the stop bit) until endOfInput.
TEST(RttyReceiver, EndOfInputHandsOverTheLastCharacter)
{
    for (double baud : {45.45, 100.0}) {
        Receiver rx(1000.0, baud);
        EXPECT_EQ(rx.run(rttyAudio("TNX", {1085.0, 915.0, baud})), "TN");
        rx.demod.endOfInput();
        EXPECT_EQ(rx.text, "TNX") << baud << " Bd";
    }
}

TEST(RttyReceiver, SenderThatExpectsUnshiftOnSpace)
{
    Receiver rx(1000.0);
    const auto audio = rttyAudio("599 TNX 73 ", {1085.0, 915.0, 45.45}, /*shiftAfterSpace=*/false);
    EXPECT_EQ(rx.run(audio), "599 TNX 73 ");

    Receiver keepShift(1000.0);
    keepShift.demod.decoder().setUnshiftOnSpace(false);
    EXPECT_EQ(keepShift.run(audio), "599 5,/ 73 ");
}

TEST(RttyReceiver, PolarityDecidesWhichToneIsMark)
{
    const auto upperMark = rttyAudio(kMessage, {1085.0, 915.0, 45.45});
    const auto lowerMark = rttyAudio(kMessage, {915.0, 1085.0, 45.45});

    Receiver inverted(1000.0);
    inverted.demod.setPolarity(1);
    const std::string garbage = inverted.run(upperMark);
    EXPECT_GT(test::editDistance(kMessage, garbage), static_cast<int>(kMessage.size()) / 2) << garbage;

    Receiver lsb(1000.0);
    lsb.demod.setPolarity(1);
    EXPECT_EQ(lsb.run(lowerMark), kMessage);
}

TEST(RttyReceiver, DecodesBothRatesMistunedAndAtAnyLevel)
{
    struct Case {
        double centreHz;
        double baud;
        double offsetHz;
        double amplitude;
    };
    for (const Case c : {Case{1000.0, 45.45, 0.0, 16000.0}, Case{1500.0, 100.0, 0.0, 16000.0},
                         Case{1000.0, 45.45, -20.0, 16000.0}, Case{1000.0, 45.45, +20.0, 16000.0},
                         Case{1000.0, 45.45, 0.0, 32000.0}, Case{1000.0, 45.45, 0.0, 1000.0},
                         Case{1000.0, 45.45, 10.0, 2000.0}}) {
        SCOPED_TRACE(testing::Message()
                     << c.baud << " Bd, offset " << c.offsetHz << " Hz, amplitude " << c.amplitude);
        Receiver rx(c.centreHz, c.baud);
        const double mark = c.centreHz + 85.0 + c.offsetHz;
        EXPECT_EQ(rx.run(rttyAudio(kMessage, {mark, mark - 170.0, c.baud}, true, c.amplitude)), kMessage);
    }
}

TEST(RttyReceiver, IndicatorsFollowTheTone)
{
    SineTable table;
    RttyDemodulator demod(table);
    demod.setFrequency(1000.0);
    EXPECT_EQ(demod.level(), 0);

    FskWriter above;
    above.tone(1085.0, 0.3);
    demod.processBlock(test::toPcm(above.samples()));
    EXPECT_EQ(demod.discriminatorSum(), 16 * RttyDemodulator::kDiscriminatorClamp);
    EXPECT_EQ(demod.detectorState(), 1);
    const int strong = demod.level();
    EXPECT_GT(strong, 10);

    FskWriter below(4000.0);
    below.tone(915.0, 0.3);
    demod.processBlock(test::toPcm(below.samples()));
    EXPECT_LT(demod.discriminatorSum(), -15 * RttyDemodulator::kDiscriminatorClamp);  // coarser I/Q
    EXPECT_EQ(demod.detectorState(), 0);
    EXPECT_LT(demod.level(), strong);  // 12 dB weaker: 4 bits less energy
    EXPECT_GT(demod.level(), 0);
}

TEST(RttyReceiver, CopyMidStreamContinuesIdentically)
{
    const auto audio = rttyAudio(kMessage, {1085.0, 915.0, 45.45});
    const std::size_t half = audio.size() / 2;
    Receiver a(1000.0);
    a.demod.processBlock(std::span(audio).first(half));

    std::string copiedText = a.text;
    TextSink copiedSink(&copiedText);
    RttyDemodulator b = a.demod;
    b.decoder().setTextSink(&copiedSink);

    a.demod.processBlock(std::span(audio).subspan(half));
    b.processBlock(std::span(audio).subspan(half));
    EXPECT_EQ(a.text, kMessage);
    EXPECT_EQ(copiedText, a.text);
    EXPECT_EQ(b.bitTiming(), a.demod.bitTiming());
    EXPECT_EQ(b.discriminatorSum(), a.demod.discriminatorSum());
}

// Character error rate of the receiver on the independent generator's signal in white
// noise (SNR in 2500 Hz). The bands are wide: they catch a broken slicer or timing, not
// a tenth of a dB.
TEST(RttyReceiver, CharacterErrorsInNoise)
{
    std::string text;
    for (int i = 0; i < 6; ++i) text += "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 ";
    FskWriter w(8000.0);
    test::keyRtty(w, test::ita2Codes(text, true), {1085.0, 915.0, 45.45});
    const double power = 8000.0 * 8000.0 / 2.0;

    struct Band {
        double snrDb;
        double maxCer;
    };
    for (const Band b : {Band{6.0, 0.0}, Band{3.0, 0.01}, Band{0.0, 0.05}, Band{-3.0, 0.25}}) {
        Receiver rx(1000.0);
        const std::string got = rx.run(test::withNoise(w.samples(), power, b.snrDb, 4242));
        const double cer =
            static_cast<double>(test::editDistance(text, got)) / static_cast<double>(text.size());
        std::printf("RTTY 45.45 Bd, generator, SNR %+.0f dB in 2500 Hz: CER %.2f %%\n", b.snrDb, cer * 100.0);
        EXPECT_LE(cer, b.maxCer) << "SNR " << b.snrDb << " dB: " << got;
    }
}

// Drives the slicer and bit timing with exact discriminator values.
class DetectorProbe : public RttyDemodulator {
public:
    DetectorProbe(const SineTable& table, std::string* text) : RttyDemodulator(table), m_sink(text)
    {
        decoder().setTextSink(&m_sink);
    }
    void feed(int32_t v, int count)
    {
        for (int k = 0; k < count; ++k) detectorStep(v);
    }
    // A whole number of bits at 45.45 Bd (16.5 decimated samples each), counted from the
    // start of the stream so the fractions do not drift.
    void bits(int32_t v, double n)
    {
        m_bitClock += n;
        const int until = static_cast<int>(m_bitClock * 16.5 + 0.5);
        feed(v, until - m_fed);
        m_fed = until;
    }

private:
    TextSink m_sink;
    double m_bitClock = 0.0;
    int m_fed = 0;
};

constexpr int32_t kMarkV = 250;  // beyond the clamp on purpose
constexpr int32_t kSpaceV = -250;

TEST(RttyDetector, TransitionsDeliverRoundedBitCountsAndHalveTheResidual)
{
    SineTable table;
    std::string text;
    DetectorProbe p(table, &text);
    EXPECT_EQ(p.symbolIncrement(), 3971);

    p.feed(kMarkV, 2);  // the sum passes +200 at the second value: a transition after 2 x 3971
    EXPECT_EQ(p.detectorState(), 1);
    EXPECT_EQ(p.discriminatorSum(), 400);
    EXPECT_EQ(p.bitTiming(), 3971);  // n = 0, half of 7942 kept

    p.feed(kMarkV, 48);
    p.feed(kSpaceV, 8);
    EXPECT_EQ(p.detectorState(), 1);  // sum 0: still above -200
    p.feed(kSpaceV, 1);
    EXPECT_EQ(p.detectorState(), 0);
    // 3971 + 57 x 3971 = 230318; n = (230318 + 0x8000) >> 16 = 4; (230318 - 4 x 65536) >> 1.
    EXPECT_EQ(p.bitTiming(), -15913);
    EXPECT_EQ(p.decoder().state(), BaudotDecoder::kIdle);  // the four marks
}

TEST(RttyDetector, GlitchShorterThanHalfABitDeliversNothing)
{
    SineTable table;
    std::string text;
    DetectorProbe p(table, &text);
    p.feed(kMarkV, 200);
    p.feed(0, 16);  // the tone fades to the centre: the sum is 0, still mark
    ASSERT_EQ(p.detectorState(), 1);
    p.feed(kSpaceV, 1);  // the sum reaches -200: space
    ASSERT_EQ(p.detectorState(), 0);
    const int32_t atFall = p.bitTiming();
    p.feed(kMarkV, 2);
    ASSERT_EQ(p.detectorState(), 0);  // sum 200: not yet above the threshold
    p.feed(kMarkV, 1);
    ASSERT_EQ(p.detectorState(), 1);
    // Three samples of space (11913 < 0x8000): n = 0, half of the time dropped.
    EXPECT_EQ(p.bitTiming(), (atFall + 3 * 3971) >> 1);
    EXPECT_EQ(p.decoder().state(), BaudotDecoder::kIdle);  // no start bit was seen

    // The glitch left no trace in the characters that follow.
    p.bits(kMarkV, 3);
    for (int bit : {0, 1, 0, 0, 0, 0}) p.bits(bit != 0 ? kMarkV : kSpaceV, 1);  // start, E = 10000
    p.bits(kMarkV, 1.5);
    p.bits(kSpaceV, 1);  // start of the next frame hands over the stop bit
    EXPECT_EQ(text, "E");
}

TEST(RttyDetector, SteadyLineSaturatesTheBitTiming)
{
    SineTable table;
    std::string text;
    DetectorProbe p(table, &text);
    p.feed(kMarkV, 2);
    p.feed(kMarkV, 750 * 60 * 15);  // a quarter of an hour of idle mark
    EXPECT_EQ(p.bitTiming(), 1024 * 65536);
    p.bits(kSpaceV, 1);
    for (int bit : {1, 0, 0, 0, 0}) p.bits(bit != 0 ? kMarkV : kSpaceV, 1);
    p.bits(kMarkV, 1.5);
    p.bits(kSpaceV, 1);
    EXPECT_EQ(text, "E");
}

}  // namespace
}  // namespace vexa::engine
