// PSK31, QPSK and FSK31 from Vexa's transmitter decoded by Vexa's own receivers at several
// audio frequencies, clean and in noise; the text sent is the text received.
#include <gtest/gtest.h>

#include <string>

#include "engine/rx/mode_receiver.h"
#include "support/text_receiver.h"
#include "tx_roundtrip_support.h"

namespace vexa::engine {
namespace {

const std::string kText =
    "\r\nCQ CQ CQ de DL1ABC DL1ABC pse k\r\nGM OM, ur RST 599 599, name is Hans, QTH Bonn (JO30). "
    "73 & gl! {~|} \x01\x7F\x80\xC4\xFF.";

// The engine's receive loop, AFC off.
std::string receive(const std::vector<int16_t>& audio, double hz, OperatingMode mode, bool reverse = false)
{
    vexa::test::TextReceiver r;
    r.rx.setMode(mode);
    r.rx.setReverse(reverse);
    r.rx.setFrequency(hz);
    return r.receive(audio);
}

struct Case {
    const char* name;
    OperatingMode mode;
};

class PskRoundTrip : public testing::TestWithParam<Case> {
protected:
    std::string receive(const std::vector<int16_t>& audio, double hz) const
    {
        return vexa::engine::receive(audio, hz, GetParam().mode);
    }
};

// The lead-in is 9 symbols of steady carrier: a BPSK receiver that heard pure silence
// before it reads eight or nine one bits there, and the idle zeros that follow make that a
// character. Anything else before the text is a fault.
void expectCopy(const std::string& rx, const std::string& sent)
{
    ASSERT_GE(rx.size(), sent.size()) << rx;
    EXPECT_LE(rx.size() - sent.size(), 1u) << rx;
    EXPECT_EQ(rx.substr(rx.size() - sent.size()), sent);
}

TEST_P(PskRoundTrip, CleanTextArrivesUnchanged)
{
    for (const double f : {500.0, 1000.0, 1525.5, 2400.0}) {
        SCOPED_TRACE(testing::Message() << f << " Hz");
        const auto audio = test::transmit(kText, {GetParam().mode, 0, f});
        // Lead-in, idle and tail decode to nothing; the text arrives as sent.
        expectCopy(receive(test::withNoise(audio, 0.5, 0.0), f), kText);
    }
}

TEST_P(PskRoundTrip, CopiesInNoise)
{
    // Band noise of 3000 rms against a carrier of 8200 peak: about 6 dB SNR in 3 kHz,
    // far more in the receiver's 60 Hz.
    for (const double f : {800.0, 1900.0}) {
        SCOPED_TRACE(testing::Message() << f << " Hz");
        const auto audio = test::transmit(kText, {GetParam().mode, 0, f});
        const std::string rx = receive(test::withNoise(audio, 0.25, 3000.0, 11), f);
        EXPECT_LE(test::copyErrors(kText, rx), 2) << rx;
    }
}

TEST_P(PskRoundTrip, ReceiverSlightlyOffTune)
{
    // The decoders track a small offset on their own (the AFC step pulls in larger ones):
    // 3 Hz in the PSK modes; FSK31, whose tones are 16.6 Hz apart, holds to about 2 Hz.
    const double offset = GetParam().mode == OperatingMode::Fsk31 ? 1.0 : 3.0;
    for (const double sign : {-1.0, 1.0}) {
        const auto audio = test::transmit(kText, {GetParam().mode, 0, 1200.0 + sign * offset});
        expectCopy(receive(audio, 1200.0), kText);
    }
}

TEST_P(PskRoundTrip, FromFullScaleToNearSilence)
{
    // Full scale (peaks touch the 16-bit limit) down to peaks of about 100 counts. The
    // QPSK decision scales I and Q down by 2^17 and reads nothing below peaks of about
    // 300 counts, so it stops at 0.01.
    const auto audio = test::transmit(kText, {GetParam().mode, 0, 1350.0});
    for (const double gain : {1.0, 0.1, 0.01, 0.003}) {
        if (GetParam().mode == OperatingMode::Qpsk && gain < 0.01) continue;
        SCOPED_TRACE(testing::Message() << "gain " << gain);
        expectCopy(receive(test::withNoise(audio, gain, 0.0), 1350.0), kText);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, PskRoundTrip,
                         testing::Values(Case{"Psk31", OperatingMode::Psk31},
                                         Case{"Qpsk", OperatingMode::Qpsk},
                                         Case{"Fsk31", OperatingMode::Fsk31}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(QpskRoundTrip, InvertedNeedsTheReverseFlag)
{
    const auto audio = test::transmit(kText, {OperatingMode::Qpsk, 0, 1000.0, 0, "", true});
    EXPECT_GT(test::copyErrors(kText, receive(audio, 1000.0, OperatingMode::Qpsk, false)), 20);
    expectCopy(receive(audio, 1000.0, OperatingMode::Qpsk, true), kText);
}

TEST(PskRoundTrip, CwIdentificationAfterTheText)
{
    // The last character before the identification is printed; the Morse keying itself
    // reads as noise to a PSK receiver.
    const auto audio = test::transmit("\r\nde DL1ABC k\xA9", {OperatingMode::Psk31, 0, 1000.0, 0, "DL1ABC"});
    const std::string rx = receive(test::withNoise(audio, 0.5, 300.0, 5), 1000.0, OperatingMode::Psk31);
    EXPECT_NE(rx.find("\r\nde DL1ABC k"), std::string::npos) << rx;
}

}  // namespace
}  // namespace vexa::engine
