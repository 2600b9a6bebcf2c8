// PSK31 and QPSK audio from an independent floating-point generator, decoded by the
// integer receiver: frequencies across the passband, carrier offsets with AFC, reversed
// sidebands and white noise.
#include <gtest/gtest.h>

#include <string>

#include "engine/rx/mode_receiver.h"
#include "support/noise_source.h"
#include "support/psk_reference.h"
#include "support/text_distance.h"
#include "support/text_receiver.h"

namespace vexa::engine {
namespace {

using test::PskSignalOptions;

constexpr std::string_view kText = "CQ CQ de VEXA 0123456789 the quick brown fox jumps over the lazy dog\r\n";

struct DecodeSettings {
    bool qpsk = false;
    double receiveHz = 1000.0;
    bool reverse = false;
    bool afc = false;
};

struct DecodeResult {
    std::string text;
    double finalHz = 0.0;
};

// Decodes through the engine's receive loop in sound-card blocks of 2048 samples, with an
// AFC step after each when it is on.
DecodeResult decode(const std::vector<int16_t>& samples, const DecodeSettings& s)
{
    test::TextReceiver r;
    r.rx.setMode(s.qpsk ? OperatingMode::Qpsk : OperatingMode::Psk31);
    r.rx.setReverse(s.reverse);
    r.rx.setAfc(s.afc);
    r.rx.setFrequency(s.receiveHz);
    return {r.receive(samples), r.rx.frequency()};
}

// The correlator's negative side lobes make the switch-on of a carrier out of digital
// silence look like a phase reversal or two, which the decoder may print as one stray
// character (on the air, noise does the same). Everything after it must be exact.
::testing::AssertionResult decodedAs(std::string_view expected, const std::string& decoded)
{
    if (decoded.size() >= expected.size() && decoded.size() <= expected.size() + 1 &&
        std::string_view(decoded).substr(decoded.size() - expected.size()) == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "decoded \"" << decoded << "\"";
}

std::vector<int16_t> signal(const PskSignalOptions& o, std::string_view text = kText)
{
    return test::toPcm16(test::pskSignal(text, o));
}

// The receiver's arithmetic is integer and fully specified, so its output for a given input
// is fixed to the bit. This pins a digest of every symbol (SI, SQ, level) and of the decoder
// state of both decoders for one signal: a change here is a change of behaviour and must be deliberate.
TEST(PskExactness, SymbolStreamIsPinned)
{
    struct Digest : SymbolSink {
        VaricodeDecoder bpsk;
        QpskDecoder qpsk;
        uint64_t hash = 1469598103934665603ull;
        int count = 0;
        void mix(uint32_t v)
        {
            for (int k = 0; k < 4; ++k) hash = (hash ^ ((v >> (8 * k)) & 0xFF)) * 1099511628211ull;
        }
        void bit(int) override {}
        void symbol(int32_t i, int32_t q, int32_t level) override
        {
            bpsk.symbol(i, q, level);
            qpsk.symbol(i, q, level);
            mix(static_cast<uint32_t>(bpsk.bitRegister()) << 16 | qpsk.bitRegister());
            mix(static_cast<uint32_t>(i));
            mix(static_cast<uint32_t>(q));
            mix(static_cast<uint32_t>(level));
            ++count;
        }
        void reset() override {}
    };
    const SineTable table;
    PskDemodulator demodulator(table);
    Digest digest;
    demodulator.setSink(&digest);
    demodulator.setFrequency(1234.5);
    // Integer-only input, so the pin holds on any machine: a carrier from the sine table
    // whose phase jumps by a quarter turn every 353 samples, plus LCG noise.
    std::vector<int16_t> samples(40000);
    uint32_t lcg = 12345;
    uint16_t phase = 0;
    for (std::size_t n = 0; n < samples.size(); ++n) {
        phase = static_cast<uint16_t>(phase + 7347 + (n % 353 == 0 ? 0x4000 * (n / 353 % 3) : 0));
        lcg = lcg * 1664525u + 1013904223u;
        const int32_t noise = static_cast<int32_t>(lcg >> 20) - 2048;
        samples[n] = static_cast<int16_t>(table.Sin16(phase) / 8 + noise);
    }
    demodulator.processBlock(samples);
    EXPECT_EQ(digest.count, 112);
    EXPECT_EQ(digest.hash, 4362972414153229368u);
    EXPECT_EQ(demodulator.discriminator(), 376737);
    EXPECT_EQ(digest.bpsk.drift(), 105170337);
    EXPECT_EQ(digest.bpsk.jitter(), -112703434);
    EXPECT_EQ(digest.qpsk.drift(), -158065328);
    EXPECT_EQ(digest.qpsk.jitter(), 253175);
}

class PskReceive : public ::testing::TestWithParam<bool> {};  // parameter: QPSK

TEST_P(PskReceive, DecodesAcrossThePassband)
{
    for (const double hz : {500.0, 800.0, 1000.0, 1500.0, 2000.0, 2500.0}) {
        SCOPED_TRACE(hz);
        PskSignalOptions o;
        o.qpsk = GetParam();
        o.carrierHz = hz;
        EXPECT_TRUE(decodedAs(kText, decode(signal(o), {GetParam(), hz}).text));
    }
}

TEST_P(PskReceive, DecodesOverTheAmplitudeRange)
{
    for (const double amplitude : {32000.0, 8000.0, 1000.0, 300.0}) {
        SCOPED_TRACE(amplitude);
        PskSignalOptions o;
        o.qpsk = GetParam();
        o.amplitude = amplitude;
        EXPECT_TRUE(decodedAs(kText, decode(signal(o), {GetParam()}).text));
    }
}

TEST_P(PskReceive, AfcPullsInACarrierOffset)
{
    // The QPSK drift detector works on four times the phase step, so it sees at most an
    // eighth of a turn per symbol: +-3.9 Hz. BPSK's loop reaches a quarter turn: +-7.8 Hz.
    const auto offsets =
        GetParam() ? std::vector<double>{-3.0, 1.5, 3.0} : std::vector<double>{-5.0, 2.5, 4.0};
    for (const double offset : offsets) {
        SCOPED_TRACE(offset);
        PskSignalOptions o;
        o.qpsk = GetParam();
        o.carrierHz = 1200.0 + offset;
        o.leadBits = 150;  // five seconds for the AFC to settle before the text
        const auto r = decode(signal(o), {GetParam(), 1200.0, false, true});
        // Before the AFC has pulled in, the loop slips and prints stray characters.
        EXPECT_TRUE(r.text.ends_with(kText)) << r.text;
        EXPECT_NEAR(r.finalHz, o.carrierHz, 1.0);
    }
}

TEST_P(PskReceive, SteadyCarrierAndSilenceGiveNothing)
{
    PskSignalOptions o;
    o.qpsk = GetParam();
    std::vector<double> carrier(11025 * 5);
    for (std::size_t n = 0; n < carrier.size(); ++n)
        carrier[n] = 8000.0 * std::cos(2.0 * M_PI * 1000.0 * static_cast<double>(n) / 11025.0);
    EXPECT_EQ(decode(test::toPcm16(carrier), {GetParam()}).text, "");
    EXPECT_EQ(decode(std::vector<int16_t>(11025 * 5, 0), {GetParam()}).text, "");
}

TEST_P(PskReceive, IdleReversalsGiveNothing)
{
    PskSignalOptions o;
    o.qpsk = GetParam();
    o.leadBits = 300;
    o.tailBits = 0;
    EXPECT_LE(decode(signal(o, ""), {GetParam()}).text.size(), 1u);  // at most the switch-on character
}

TEST_P(PskReceive, DecodesInModerateNoise)
{
    PskSignalOptions o;
    o.qpsk = GetParam();
    o.amplitude = 2000.0;
    auto audio = test::pskSignal(kText, o);
    test::NoiseSource noise(1234);
    noise.addAtSnr(audio, o.amplitude * o.amplitude / 2.0, 0.0);
    const auto r = decode(test::toPcm16(audio), {GetParam()});
    EXPECT_LE(test::characterErrorRate(kText, r.text), 0.03) << r.text;
}

TEST_P(PskReceive, AfcHoldsAnOffsetCarrierInNoise)
{
    PskSignalOptions o;
    o.qpsk = GetParam();
    o.amplitude = 2000.0;
    o.carrierHz = 1500.0 + (GetParam() ? 2.0 : 3.0);
    o.leadBits = 150;
    const std::string text = std::string(kText) + std::string(kText);
    auto audio = test::pskSignal(text, o);
    test::NoiseSource noise(99);
    noise.addAtSnr(audio, o.amplitude * o.amplitude / 2.0, 3.0);
    const auto r = decode(test::toPcm16(audio), {GetParam(), 1500.0, false, true});
    // Judge the text after the pull-in: the last characters, as many as were sent.
    const std::string tail = r.text.substr(r.text.size() > text.size() ? r.text.size() - text.size() : 0);
    EXPECT_LE(test::characterErrorRate(text, tail), 0.03) << r.text;
    EXPECT_NEAR(r.finalHz, o.carrierHz, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Modes, PskReceive, ::testing::Values(false, true),
                         [](const auto& param) { return param.param ? "Qpsk" : "Psk31"; });

TEST(QpskReverse, WrongSidebandIsGarbageAndReverseRestoresIt)
{
    PskSignalOptions o;
    o.qpsk = true;
    o.reverseSense = true;
    const auto audio = signal(o);
    const auto wrong = decode(audio, {true, 1000.0, false});
    EXPECT_GT(test::characterErrorRate(kText, wrong.text), 0.5) << wrong.text;
    EXPECT_TRUE(decodedAs(kText, decode(audio, {true, 1000.0, true}).text));
    // And a normal signal read reversed is garbage too.
    o.reverseSense = false;
    EXPECT_GT(test::characterErrorRate(kText, decode(signal(o), {true, 1000.0, true}).text), 0.5);
}

// Two stations in one passband: QPSK on the main channel, PSK31 on the second channel,
// through the receive loop block by block, each into its own text.
TEST(SecondChannel, DecodesBpskBesideTheMainChannelInQpskMode)
{
    const SineTable table;
    std::string mainText, secondText;
    TextSink mainSink(&mainText), secondSink(&secondText);
    ModeReceiver rx(table, mainSink, secondSink);
    rx.setMode(OperatingMode::Qpsk);
    rx.setFrequency(800.0);
    rx.setSecondChannelFrequency(1800.0);  // stays on BPSK in every mode

    PskSignalOptions a, b;
    a.qpsk = true;
    a.carrierHz = 800.0;
    b.carrierHz = 1800.0;
    const std::string_view other = "second channel here\n";
    auto mix = test::pskSignal(kText, a);
    const auto second = test::pskSignal(other, b);
    mix.resize(std::max(mix.size(), second.size()));
    for (std::size_t n = 0; n < second.size(); ++n) mix[n] += second[n];
    auto pcm = test::toPcm16(mix);
    pcm.resize((pcm.size() / 2048 + 1) * 2048);
    test::receiveInBlocks(rx, pcm);
    EXPECT_TRUE(decodedAs(kText, mainText));
    EXPECT_TRUE(decodedAs(other, secondText));
}

// Character error rate against SNR (noise power in 2500 Hz), printed for the record and
// held to a loose band so a regression in sensitivity shows up.
}  // namespace
}  // namespace vexa::engine
