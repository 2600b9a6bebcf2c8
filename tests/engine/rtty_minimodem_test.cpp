// Interoperability: 45.45 Bd Baudot from minimodem, an independent RTTY modem, decoded by
// Vexa's discriminator RTTY receiver (and by vexa-modem rx), clean and in white noise (SNR in
// 2500 Hz). minimodem sends mark on the upper tone, 170 Hz shift, 1.5 stop bits, and assumes
// the receiver unshifts on space.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/rx/mode_receiver.h"
#include "support/fsk_test_signal.h"
#include "support/minimodem_harness.h"
#include "support/shell_run.h"
#include "support/temp_dir.h"
#include "support/text_receiver.h"

namespace vexa::engine {
namespace {

constexpr double kCentreHz = 1000.0;
constexpr double kVolume = 0.1;  // leaves room for the noise at -3 dB without clipping

// Through the engine's receive loop, as the application and vexa-modem rx run it.
std::string decode(const std::vector<int16_t>& samples, bool unshiftOnSpace = true, double baud = 45.45)
{
    test::TextReceiver r;
    r.rx.setMode(OperatingMode::Rtty);
    r.rx.setRttyDecoder(RttyDecoder::Discriminator);  // the matched receiver has its own suite
    r.rx.setRttySymbolRate(baud);
    r.rx.setRttyUnshiftOnSpace(unshiftOnSpace);
    r.rx.setFrequency(kCentreHz);
    r.receive(samples);
    r.rx.endOfInput();
    return r.text;
}

class MinimodemInterop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::minimodemAvailable()) GTEST_SKIP() << "minimodem is not installed";
        ASSERT_FALSE(dir.path().empty());
    }
    std::vector<int16_t> transmit(std::string_view text, double markHz = kCentreHz + 85.0,
                                  double spaceHz = kCentreHz - 85.0)
    {
        auto audio = test::minimodemRtty(text, markHz, spaceHz, kVolume, dir.path());
        EXPECT_TRUE(audio.has_value()) << "minimodem failed";
        return audio.value_or(std::vector<int16_t>{});
    }
    test::TempDir dir;
};

std::vector<float> toFloat(const std::vector<int16_t>& s)
{
    return {s.begin(), s.end()};
}

TEST_F(MinimodemInterop, CleanSignalDecodesExactly)
{
    const std::string text = "CQ CQ CQ DE DL0VXA DL0VXA K\nUR RST 599 5NN TNX FER CALL 73, QTH BERLIN/JO62.";
    const auto audio = transmit(text);
    ASSERT_GT(audio.size(), 11025U);
    EXPECT_EQ(decode(audio), text);
}

TEST_F(MinimodemInterop, FiguresAfterSpaceNeedUnshiftOnSpace)
{
    const auto audio = transmit("599 TNX");
    EXPECT_EQ(decode(audio), "599 TNX");
    EXPECT_EQ(decode(audio, /*unshiftOnSpace=*/false), "599 5,/");
}

TEST_F(MinimodemInterop, MistunedByTwentyHertz)
{
    const std::string text = "RYRYRY THE QUICK BROWN FOX 1234567890";
    EXPECT_EQ(decode(transmit(text, kCentreHz + 105.0, kCentreHz - 65.0)), text);
    EXPECT_EQ(decode(transmit(text, kCentreHz + 65.0, kCentreHz - 105.0)), text);
}

// At 100 Bd minimodem starts with two bits of mark only, so the first frame meets the
// correlator still filling up and may come out wrong; the rest must be exact when clean.
// The correlator was laid out for 45.45 Bd and smears a lone 100 Bd bit: over 3300
// characters, 0.1 % CER clean, 1.1 % at +10 dB and 4.2 % at +6 dB (2500 Hz).
TEST_F(MinimodemInterop, HundredBaud)
{
    const std::string text = "RYRY CQ DE DL0VXA 100 BAUD 599 TNX, QTH BERLIN/JO62. ";
    auto audio = test::minimodemRtty(text, kCentreHz + 85.0, kCentreHz - 85.0, kVolume, dir.path(), true);
    ASSERT_TRUE(audio.has_value());
    const std::string got = decode(*audio, true, 100.0);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.substr(got.size() - (text.size() - 1)), text.substr(1)) << got;
    EXPECT_LE(got.size(), text.size() + 1);
}

// Character error rate against SNR; the figures are printed for the record.
TEST_F(MinimodemInterop, CharacterErrorsInNoise)
{
    std::string text;
    for (int i = 0; i < 5; ++i) text += "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 ";
    const auto clean = toFloat(transmit(text));
    ASSERT_FALSE(clean.empty());
    const double power = test::meanPower(clean);

    struct Band {
        double snrDb;
        double maxCer;
    };
    for (const Band b : {Band{3.0, 0.005}, Band{0.0, 0.02}, Band{-3.0, 0.2}}) {
        int errors = 0;
        std::size_t sent = 0;
        for (uint32_t seed : {11U, 12U}) {
            const std::string got = decode(test::withNoise(clean, power, b.snrDb, seed));
            errors += test::editDistance(text, got);
            sent += text.size();
        }
        const double cer = static_cast<double>(errors) / static_cast<double>(sent);
        std::printf("RTTY 45.45 Bd from minimodem, SNR %+.0f dB in 2500 Hz: CER %.2f %% (%zu chars)\n",
                    b.snrDb, cer * 100.0, sent);
        EXPECT_LE(cer, b.maxCer) << "SNR " << b.snrDb << " dB";
    }
}

// The same audio through vexa-modem rx, a separate process: its options reach the receiver.
TEST_F(MinimodemInterop, VexaModemRxDecodesItWithItsOptions)
{
    ASSERT_FALSE(transmit("CQ DE DL0VXA 599 TNX", 1785.0, 1615.0).empty());
    const std::string rx = std::string(VEXA_MODEM) + " rx --mode rtty --freq 1700 ";
    const std::string wav = " " + dir.file("minimodem-out.wav") + " 2>/dev/null";
    EXPECT_EQ(test::runShell(rx + wav).out, "CQ DE DL0VXA 599 TNX");
    for (const char* decoder : {"matched", "discriminator"})
        EXPECT_EQ(test::runShell(rx + "--rtty-decoder " + decoder + wav).out, "CQ DE DL0VXA 599 TNX");
    EXPECT_EQ(test::runShell(rx + "--rtty-decoder fast" + wav).status, 2);
    EXPECT_EQ(test::runShell(rx + "--keep-shift" + wav).out, "CQ DE DL0VXA 599 5,/");
    const test::ShellRun reversed = test::runShell(rx + "--reverse" + wav);
    EXPECT_EQ(reversed.status, 0);
    EXPECT_NE(reversed.out, "CQ DE DL0VXA 599 TNX");
}

}  // namespace
}  // namespace vexa::engine
