// Modes 4 and 11 through the receive dispatch as the main window wires them: sound-card
// blocks of 2048 samples to the RttyDemodulator (its Baudot decoder writing the receive
// text) and to the Fsk31Demodulator (bits through the main channel's decoder selector to
// the varicode decoder), with the FSK31 correction driving the AFC step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/receive_dispatch.h"
#include "engine/rx/afc_step.h"
#include "engine/rx/fsk31_demodulator.h"
#include "engine/rx/psk_receiver.h"
#include "engine/rx/rtty_demodulator.h"
#include "support/fsk_test_signal.h"

namespace vexa::engine {
namespace {

constexpr WaveDevice kInput = 7;

class DigitalDispatch : public ::testing::Test {
protected:
    DigitalDispatch()
        : main(table, receiveText),
          second(table),
          rtty(table),
          fsk31(table),
          dispatch(main.demodulator(), second,
                   {[](WaveDevice d) { return d == kInput; }, [](WaveHeader&) { return true; },
                    [](WaveDevice) { return false; }, [](WaveHeader&) {}, [] {}})
    {
        rtty.decoder().setTextSink(&receiveText);
        fsk31.setSink(&main.selector());
        dispatch.setDemodulator(4, &rtty);
        dispatch.setDemodulator(11, &fsk31);
        main.setFrequency(receiveHz);
        rtty.setFrequency(receiveHz);
        fsk31.setFrequency(receiveHz);
    }

    // Hands the audio over in sound-card blocks, with an AFC step after each as the
    // spectrum redraw does (afc on).
    void play(const std::vector<int16_t>& audio)
    {
        std::vector<int16_t> block(2048);
        for (std::size_t at = 0; at < audio.size(); at += block.size()) {
            const std::size_t n = std::min(block.size(), audio.size() - at);
            std::copy_n(audio.begin() + static_cast<long>(at), n, block.begin());
            WaveHeader h{block.data(), 4096, static_cast<uint32_t>(2 * n), 0};
            ASSERT_EQ(dispatch.OnWaveInData(kInput, h), 1);
            if (dispatch.operatingMode != 11) continue;
            const auto retune = AfcStep({11, true, false, receiveHz, fsk31.publishedCorrection(), 0});
            if (!retune) continue;
            receiveHz = retune->receiveHz;
            main.setFrequency(receiveHz);
            rtty.setFrequency(receiveHz);
            fsk31.setFrequency(receiveHz);
            fsk31.setPublishedCorrection(retune->driftIndicator);
        }
    }

    SineTable table;
    std::string text;
    TextSink receiveText{&text};
    PskReceiver main;
    PskDemodulator second;
    RttyDemodulator rtty;
    Fsk31Demodulator fsk31;
    ReceiveDispatch dispatch;
    double receiveHz = 1000.0;
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

TEST_F(DigitalDispatch, Mode4DecodesRtty)
{
    dispatch.operatingMode = 4;
    play(rttyAudio("CQ DE DL0VXA 599 TNX "));
    EXPECT_EQ(text, "CQ DE DL0VXA 599 TNX ");
}

TEST_F(DigitalDispatch, RttyAudioInOtherModesReachesNoBaudotDecoder)
{
    for (int mode : {0, 1, 9, 11}) {
        dispatch.operatingMode = mode;
        play(rttyAudio("RYRYRY"));
    }
    EXPECT_EQ(rtty.decoder().lastCharacter(), 0);
    EXPECT_EQ(rtty.level(), 0);  // the RTTY demodulator never ran
}

TEST_F(DigitalDispatch, Mode11DecodesFsk31AndTheAfcFollowsItsCorrection)
{
    dispatch.operatingMode = 11;
    fsk31.setPublishedCorrection(0);  // what the mode switch does
    std::string sent;
    for (int i = 0; i < 4; ++i) sent += "cq cq de dl0vxa pse k ";
    play(fsk31Audio(sent, 1003.0));
    EXPECT_NEAR(receiveHz, 1003.0, 1.0);
    EXPECT_NEAR(rtty.frequency(), receiveHz, 1e-9);  // every receiver is retuned
    ASSERT_GE(text.size(), 22U);
    EXPECT_EQ(text.substr(text.size() - 22), "cq cq de dl0vxa pse k ") << text;
}

TEST_F(DigitalDispatch, TransmittingSuspendsBoth)
{
    dispatch.transmitting = true;
    dispatch.operatingMode = 4;
    play(rttyAudio("TEST "));
    dispatch.operatingMode = 11;
    play(fsk31Audio("test ", 1000.0));
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace vexa::engine
