// The engine's receive loop for RTTY and FSK31 as the application runs it: sound-card
// blocks of 2048 samples to the RTTY demodulator (its Baudot decoder writing the receive
// text) and to the FSK31 demodulator (bits through the main channel's decoder selector to
// the varicode decoder), with the FSK31 correction driving the AFC step after each block.
#include "engine/rx/mode_receiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fsk_test_signal.h"
#include "support/text_receiver.h"

namespace vexa::engine {
namespace {

class ModeReceiverTest : public ::testing::Test {
protected:
    ModeReceiverTest()
    {
        receiver.setFrequency(1000.0);
        receiver.setAfc(true);
    }

    void play(const std::vector<int16_t>& audio, bool transmitting = false)
    {
        test::receiveInBlocks(receiver, audio, transmitting);
    }

    SineTable table;
    std::string text;
    TextSink receiveText{&text};
    TextSink secondText;
    ModeReceiver receiver{table, receiveText, secondText};
};

std::vector<int16_t> rttyAudio(std::string_view text)
{
    test::FskWriter w(10000.0);
    test::keyRtty(w, test::ita2Codes(text, false), {1085.0, 915.0, 45.45});
    return test::toPcm(w.samples());
}

std::vector<int16_t> fsk31Audio(std::string_view text, double hz)
{
    test::FskWriter w(10000.0);
    test::keyFsk31(w, test::varicodeBitsWithIdle(text), hz);
    return test::toPcm(w.samples());
}

TEST_F(ModeReceiverTest, RttyDecodes)
{
    receiver.setMode(OperatingMode::Rtty);
    play(rttyAudio("CQ DE DL0VXA 599 TNX "));
    EXPECT_EQ(text, "CQ DE DL0VXA 599 TNX ");
}

TEST_F(ModeReceiverTest, RttyAudioInOtherModesReachesNoBaudotDecoder)
{
    for (const OperatingMode mode :
         {OperatingMode::Cw, OperatingMode::Usb, OperatingMode::Psk31, OperatingMode::Fsk31}) {
        receiver.setMode(mode);
        play(rttyAudio("RYRYRY"));
    }
    EXPECT_EQ(receiver.rtty().decoder().lastCharacter(), 0);
    EXPECT_EQ(receiver.rtty().level(), 0);  // the RTTY demodulator never ran
}

TEST_F(ModeReceiverTest, Fsk31DecodesAndTheAfcFollowsItsCorrection)
{
    receiver.fsk31().setPublishedCorrection(12345);
    receiver.setMode(OperatingMode::Fsk31);
    EXPECT_EQ(receiver.fsk31().publishedCorrection(), 0) << "the mode switch clears it";
    std::string sent;
    for (int i = 0; i < 4; ++i) sent += "cq cq de dl0vxa pse k ";
    play(fsk31Audio(sent, 1003.0));
    EXPECT_NEAR(receiver.frequency(), 1003.0, 1.0);
    EXPECT_NEAR(receiver.rtty().frequency(), receiver.frequency(), 1e-9);  // every receiver is retuned
    ASSERT_GE(text.size(), 22U);
    EXPECT_EQ(text.substr(text.size() - 22), "cq cq de dl0vxa pse k ") << text;
}

TEST_F(ModeReceiverTest, TransmittingSuspendsBothAndTheAfc)
{
    receiver.setMode(OperatingMode::Rtty);
    play(rttyAudio("TEST "), true);
    receiver.setMode(OperatingMode::Fsk31);
    play(fsk31Audio("test test test ", 1003.0), true);
    EXPECT_EQ(text, "");
    EXPECT_EQ(receiver.frequency(), 1000.0);
}

}  // namespace
}  // namespace vexa::engine
