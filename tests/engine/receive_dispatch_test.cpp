// The sound card's messages through the receive dispatch: which demodulator each mode
// feeds, the second channel, the rest while transmitting, the spectrum capture handshake
// and the blocks handed back.
#include "engine/receive_dispatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexa::engine {
namespace {

// Counts the samples it is given instead of demodulating them.
class CountingDemodulator : public PskDemodulator {
public:
    explicit CountingDemodulator(const SineTable& t) : PskDemodulator(t) {}
    int decimated = 0;

protected:
    void decimatedStep() noexcept override { ++decimated; }
};

constexpr WaveDevice kInput = 0x1234;
constexpr WaveDevice kOutput = 0x5678;

class ReceiveDispatchTest : public ::testing::Test {
protected:
    ReceiveDispatchTest()
        : main(table),
          rtty(table),
          fsk(table),
          receiver(table, text, secondText),
          dispatch(receiver, capture,
                   {[](WaveDevice d) { return d == kInput; },
                    [this](WaveHeader& h) {
                        requeued.push_back(&h);
                        return requeueSucceeds;
                    },
                    [](WaveDevice d) { return d == kOutput; },
                    [this](WaveHeader& h) { filled.push_back(&h); }, [this] { return transmitting; }})
    {
        receiver.setDemodulator(OperatingMode::Psk31, &main);
        receiver.setDemodulator(OperatingMode::Qpsk, &main);
        receiver.setDemodulator(OperatingMode::Rtty, &rtty);
        receiver.setDemodulator(OperatingMode::Fsk31, &fsk);
        data.resize(2048);
        for (std::size_t n = 0; n < data.size(); ++n) data[n] = static_cast<int16_t>(n * 7 - 5000);
        header.data = data.data();
        header.bufferLength = 4096;
        header.bytesRecorded = 4096;
    }

    // One block of 2048 samples gives 92 or 93 decimated samples at 500 Hz.
    static bool ranOneBlock(const CountingDemodulator& d) { return d.decimated >= 92 && d.decimated <= 93; }
    // The second channel is the receiver's own: its oscillator moves when it runs.
    bool secondChannelRan()
    {
        const uint16_t before = secondPhase;
        secondPhase = receiver.secondChannel().demodulator().ncoPhase();
        return secondPhase != before;
    }

    SineTable table;
    std::string received;
    TextSink text{&received};
    TextSink secondText;
    CountingDemodulator main, rtty, fsk;
    ModeReceiver receiver;
    SpectrumCapture capture;
    std::vector<WaveHeader*> requeued, filled;
    bool requeueSucceeds = true;
    bool transmitting = false;
    ReceiveDispatch dispatch;
    std::vector<int16_t> data;
    WaveHeader header;
    uint16_t secondPhase = 0;
};

TEST_F(ReceiveDispatchTest, RoutesEachModeToItsDemodulator)
{
    using M = OperatingMode;
    struct Case {
        M mode;
        bool main, rtty, fsk;
    };
    for (const Case c : {Case{M::Psk31, true, false, false}, Case{M::Qpsk, true, false, false},
                         Case{M::Rtty, false, true, false}, Case{M::Fsk31, false, false, true},
                         Case{M::Cw, false, false, false}, Case{M::Ssb, false, false, false},
                         Case{M::Sstv, false, false, false}, Case{M::Fm, false, false, false}}) {
        SCOPED_TRACE(modeName(c.mode));
        main.decimated = rtty.decimated = fsk.decimated = 0;
        receiver.setMode(c.mode);
        EXPECT_TRUE(dispatch.OnWaveInData(kInput, header).requeued);
        EXPECT_EQ(ranOneBlock(main), c.main);
        EXPECT_EQ(rtty.decimated > 0, c.rtty);
        EXPECT_EQ(fsk.decimated > 0, c.fsk);
        EXPECT_FALSE(secondChannelRan());
    }
    EXPECT_EQ(requeued.size(), 8u);
}

TEST_F(ReceiveDispatchTest, SecondChannelOnlyInThePskModesAndWhenTuned)
{
    receiver.setSecondChannelFrequency(1500.0);
    for (const OperatingMode mode : {OperatingMode::Psk31, OperatingMode::Qpsk}) {
        receiver.setMode(mode);
        dispatch.OnWaveInData(kInput, header);
        EXPECT_TRUE(secondChannelRan()) << modeName(mode);
    }
    for (const OperatingMode mode : {OperatingMode::Rtty, OperatingMode::Fsk31, OperatingMode::Cw}) {
        receiver.setMode(mode);
        dispatch.OnWaveInData(kInput, header);
        EXPECT_FALSE(secondChannelRan()) << modeName(mode);
    }
    receiver.setMode(OperatingMode::Psk31);
    receiver.setSecondChannelFrequency(0.0);
    dispatch.OnWaveInData(kInput, header);
    EXPECT_FALSE(secondChannelRan());
}

TEST_F(ReceiveDispatchTest, NothingIsDemodulatedWhileTransmittingButTheSpectrumStillCaptures)
{
    transmitting = true;
    const auto r = dispatch.OnWaveInData(kInput, header);
    EXPECT_TRUE(r.requeued);
    EXPECT_TRUE(r.captured);
    EXPECT_EQ(main.decimated, 0);
}

TEST_F(ReceiveDispatchTest, TinyBlocksAreRequeuedWithoutDemodulation)
{
    for (const uint32_t bytes : {0u, 1u}) {
        header.bytesRecorded = bytes;
        const auto r = dispatch.OnWaveInData(kInput, header);
        EXPECT_TRUE(r.requeued);
        EXPECT_FALSE(r.captured);
    }
    EXPECT_EQ(main.decimated, 0);
    EXPECT_EQ(requeued.size(), 2u);
    EXPECT_FALSE(capture.ready());
}

TEST_F(ReceiveDispatchTest, CapturesOnlyFullBlocksAndOnlyWhenAsked)
{
    header.bytesRecorded = 4094;
    EXPECT_FALSE(dispatch.OnWaveInData(kInput, header).captured);

    header.bytesRecorded = 4096;
    EXPECT_TRUE(dispatch.OnWaveInData(kInput, header).captured);
    ASSERT_TRUE(capture.ready());
    EXPECT_EQ(capture.real()[0], float(data[0] + data[1]));
    EXPECT_EQ(capture.real()[1023], float(data[2046] + data[2047]));
    EXPECT_EQ(capture.imag()[500], 0.0f);

    const float drawn = capture.real()[0];
    data[0] = 1;  // not asked again yet: the block being drawn stays
    EXPECT_FALSE(dispatch.OnWaveInData(kInput, header).captured);
    EXPECT_EQ(capture.real()[0], drawn);
    capture.request();
    EXPECT_FALSE(capture.ready());
    receiver.setMode(OperatingMode::Usb);  // voice modes still feed the spectrum
    EXPECT_TRUE(dispatch.OnWaveInData(kInput, header).captured);
    EXPECT_EQ(capture.real()[0], float(1 + data[1]));
}

TEST_F(ReceiveDispatchTest, PairSumsDoNotOverflowSixteenBits)
{
    data[0] = 32767;
    data[1] = 32767;
    dispatch.OnWaveInData(kInput, header);
    EXPECT_EQ(capture.real()[0], 65534.0f);
}

TEST_F(ReceiveDispatchTest, AForeignDeviceIsIgnoredAndNotRequeued)
{
    EXPECT_FALSE(dispatch.OnWaveInData(kOutput, header).requeued);
    EXPECT_FALSE(dispatch.OnWaveInData(0, header).requeued);
    EXPECT_TRUE(requeued.empty());
    EXPECT_EQ(main.decimated, 0);
    EXPECT_FALSE(capture.ready());
}

TEST_F(ReceiveDispatchTest, AFailedRequeueIsReported)
{
    requeueSucceeds = false;
    EXPECT_FALSE(dispatch.OnWaveInData(kInput, header).requeued);
    EXPECT_TRUE(ranOneBlock(main));
}

TEST_F(ReceiveDispatchTest, ARecordedCountBeyondTheBufferIsNotReadPastItsEnd)
{
    header.bufferLength = 1000;
    header.bytesRecorded = 4096;  // a lying driver
    const auto r = dispatch.OnWaveInData(kInput, header);
    EXPECT_TRUE(r.requeued);
    EXPECT_FALSE(r.captured);
    EXPECT_LT(main.decimated, 50);
}

TEST_F(ReceiveDispatchTest, OutputBlocksGoToTheTransmitPathOnlyFromTheOpenOutput)
{
    EXPECT_TRUE(dispatch.OnWaveOutDone(kOutput, header));
    EXPECT_FALSE(dispatch.OnWaveOutDone(kInput, header));
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0], &header);
}

}  // namespace
}  // namespace vexa::engine
