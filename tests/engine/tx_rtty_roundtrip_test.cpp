// RTTY from Vexa's transmitter, decoded by Vexa's own RTTY receiver and by minimodem, an
// independent modem, at several audio frequencies, clean and in noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/audio/audio_file.h"
#include "engine/rx/rtty_demodulator.h"
#include "support/minimodem_harness.h"
#include "support/rtty_copy.h"
#include "support/shell_run.h"
#include "support/temp_dir.h"
#include "tx_roundtrip_support.h"

namespace vexa::engine {
namespace {

const std::string kText = "CQ CQ DE DL1ABC DL1ABC PSE K\r\nRST 599 599, NAME HANS, QTH 73 (JO31) ";

std::string receiveRtty(const std::vector<int16_t>& audio, double centreHz, double baud, int polarity = 0)
{
    SineTable table;
    RttyDemodulator demod(table);
    return vexa::test::copyRtty(demod, audio, centreHz, baud, polarity);
}

TEST(RttyRoundTrip, OwnReceiverCleanAndInNoise)
{
    for (const double baud : {45.45, 100.0}) {
        for (const double f : {700.0, 1275.0, 2125.0}) {
            SCOPED_TRACE(testing::Message() << baud << " Bd at " << f << " Hz");
            const auto clean = test::transmit("\r\n" + kText, {OperatingMode::Rtty, baud, f, 2});
            const std::string rx = receiveRtty(test::withNoise(clean, 0.5, 0.0), f, baud);
            EXPECT_NE(rx.find(kText), std::string::npos) << rx;
            // Noise over the whole band; in a 3 kHz channel the SNR is about 6 dB at 4000
            // (45.45 Bd copies it solid) and 12 dB at 2000 (100 Bd takes a few hits).
            const double noise = baud < 50 ? 4000.0 : 2000.0;
            const std::string noisy = receiveRtty(test::withNoise(clean, 0.25, noise, 7), f, baud);
            EXPECT_LE(test::copyErrors(kText, noisy), baud < 50 ? 1 : 4) << noisy;
        }
    }
}

TEST(RttyRoundTrip, ReversedPolarityNeedsTheReverseFlag)
{
    const auto clean = test::transmit("\r\n" + kText, {OperatingMode::Rtty, 45.45, 1500.0, 2});
    EXPECT_EQ(receiveRtty(clean, 1500.0, 45.45, 1).find(kText), std::string::npos);
    EXPECT_NE(receiveRtty(clean, 1500.0, 45.45, 0).find(kText), std::string::npos);
}

// minimodem prints what it decodes on standard output; its carrier reports go to stderr.
std::string minimodem(const std::string& args)
{
    return vexa::test::runShell("minimodem " + args + " 2>/dev/null").out;
}

TEST(RttyRoundTrip, MinimodemDecodesVexa)
{
    if (!vexa::test::minimodemAvailable()) GTEST_SKIP() << "minimodem is not installed";
    vexa::test::TempDir dir;
    for (const auto& [baud, f, args] :
         {std::tuple{45.45, 1500.0, std::string("rtty")}, std::tuple{45.45, 915.0, std::string("rtty")},
          std::tuple{100.0, 2000.0, std::string("100 --baudot --stopbits 1.5")}}) {
        SCOPED_TRACE(testing::Message() << baud << " Bd at " << f << " Hz");
        const std::string path = (dir.path() / "rtty.wav").string();
        const auto audio =
            test::withNoise(test::transmit(kText, {OperatingMode::Rtty, baud, f, 2}), 0.5, 300.0, 3);
        ASSERT_TRUE(writeWaveFile(path, audio).ok());
        char tones[64];
        std::snprintf(tones, sizeof tones, " -M %.1f -S %.1f", f + 90.0, f - 90.0);
        const std::string rx = minimodem("--rx -q " + args + tones + " -f " + path);
        // minimodem has its own shift handling: compare the line without CR LF.
        std::string expected = kText;
        std::string got = rx;
        for (std::string* s : {&expected, &got})
            s->erase(std::remove_if(s->begin(), s->end(), [](char c) { return c == '\r' || c == '\n'; }),
                     s->end());
        EXPECT_NE(got.find(expected.substr(0, 40)), std::string::npos) << rx;
        EXPECT_LE(test::copyErrors(expected, got), 2) << rx;
    }
}

}  // namespace
}  // namespace vexa::engine
