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
          second(table),
          rtty(table),
          fsk(table),
          dispatch(main, second,
                   {[](WaveDevice d) { return d == kInput; },
                    [this](WaveHeader& h) {
                        requeued.push_back(&h);
                        return requeueSucceeds;
                    },
                    [](WaveDevice d) { return d == kOutput; },
                    [this](WaveHeader& h) { filled.push_back(&h); }, [this] { ++invalidations; }})
    {
        dispatch.setDemodulator(4, &rtty);
        dispatch.setDemodulator(11, &fsk);
        data.resize(2048);
        for (std::size_t n = 0; n < data.size(); ++n) data[n] = static_cast<int16_t>(n * 7 - 5000);
        header.data = data.data();
        header.bufferLength = 4096;
        header.bytesRecorded = 4096;
    }

    // One block of 2048 samples gives 92 or 93 decimated samples at 500 Hz.
    static bool ranOneBlock(const CountingDemodulator& d) { return d.decimated >= 92 && d.decimated <= 93; }

    SineTable table;
    CountingDemodulator main, second, rtty, fsk;
    std::vector<WaveHeader*> requeued, filled;
    bool requeueSucceeds = true;
    int invalidations = 0;
    ReceiveDispatch dispatch;
    std::vector<int16_t> data;
    WaveHeader header;
};

TEST_F(ReceiveDispatchTest, RoutesEachModeToItsDemodulator)
{
    struct Case {
        int mode;
        bool main, rtty, fsk;
    };
    for (const Case c :
         {Case{9, true, false, false}, Case{10, true, false, false}, Case{4, false, true, false},
          Case{11, false, false, true}, Case{0, false, false, false}, Case{3, false, false, false},
          Case{5, false, false, false}, Case{8, false, false, false}}) {
        SCOPED_TRACE(c.mode);
        main.decimated = rtty.decimated = fsk.decimated = second.decimated = 0;
        dispatch.operatingMode = c.mode;
        EXPECT_EQ(dispatch.OnWaveInData(kInput, header), 1);
        EXPECT_EQ(ranOneBlock(main), c.main);
        EXPECT_EQ(rtty.decimated > 0, c.rtty);
        EXPECT_EQ(fsk.decimated > 0, c.fsk);
        EXPECT_EQ(second.decimated, 0);
    }
    EXPECT_EQ(requeued.size(), 8u);
}

TEST_F(ReceiveDispatchTest, SecondChannelOnlyInThePskModesAndWhenTuned)
{
    dispatch.secondChannelFrequency = 1500.0;
    for (const int mode : {9, 10}) {
        second.decimated = 0;
        dispatch.operatingMode = mode;
        dispatch.OnWaveInData(kInput, header);
        EXPECT_TRUE(ranOneBlock(second)) << mode;
    }
    second.decimated = 0;
    for (const int mode : {4, 11, 0}) {
        dispatch.operatingMode = mode;
        dispatch.OnWaveInData(kInput, header);
    }
    dispatch.operatingMode = 9;
    dispatch.secondChannelFrequency = 0.0;
    dispatch.OnWaveInData(kInput, header);
    EXPECT_EQ(second.decimated, 0);
}

TEST_F(ReceiveDispatchTest, NothingIsDemodulatedWhileTransmittingButTheSpectrumStillCaptures)
{
    dispatch.transmitting = true;
    EXPECT_EQ(dispatch.OnWaveInData(kInput, header), 1);
    EXPECT_EQ(main.decimated, 0);
    EXPECT_EQ(invalidations, 1);
}

TEST_F(ReceiveDispatchTest, TinyBlocksAreRequeuedWithoutDemodulation)
{
    for (const uint32_t bytes : {0u, 1u}) {
        header.bytesRecorded = bytes;
        EXPECT_EQ(dispatch.OnWaveInData(kInput, header), 1);
    }
    EXPECT_EQ(main.decimated, 0);
    EXPECT_EQ(requeued.size(), 2u);
    EXPECT_EQ(invalidations, 0);
    EXPECT_TRUE(dispatch.spectrumCaptureRequested);
}

TEST_F(ReceiveDispatchTest, CapturesOnlyFullBlocksAndOnlyWhenAsked)
{
    header.bytesRecorded = 4094;
    dispatch.OnWaveInData(kInput, header);
    EXPECT_EQ(invalidations, 0);

    header.bytesRecorded = 4096;
    dispatch.OnWaveInData(kInput, header);
    EXPECT_EQ(invalidations, 1);
    EXPECT_FALSE(dispatch.spectrumCaptureRequested);
    EXPECT_EQ(dispatch.spectrum.re[0], float(data[0] + data[1]));
    EXPECT_EQ(dispatch.spectrum.re[1023], float(data[2046] + data[2047]));
    EXPECT_EQ(dispatch.spectrum.im[500], 0.0f);

    dispatch.OnWaveInData(kInput, header);  // not asked again yet
    EXPECT_EQ(invalidations, 1);
    dispatch.spectrumCaptureRequested = true;
    dispatch.operatingMode = 1;  // voice modes still feed the spectrum
    dispatch.OnWaveInData(kInput, header);
    EXPECT_EQ(invalidations, 2);
}

TEST_F(ReceiveDispatchTest, PairSumsDoNotOverflowSixteenBits)
{
    data[0] = 32767;
    data[1] = 32767;
    dispatch.OnWaveInData(kInput, header);
    EXPECT_EQ(dispatch.spectrum.re[0], 65534.0f);
}

TEST_F(ReceiveDispatchTest, AForeignDeviceIsIgnoredAndNotRequeued)
{
    EXPECT_EQ(dispatch.OnWaveInData(kOutput, header), 0);
    EXPECT_EQ(dispatch.OnWaveInData(0, header), 0);
    EXPECT_TRUE(requeued.empty());
    EXPECT_EQ(main.decimated, 0);
    EXPECT_EQ(invalidations, 0);
}

TEST_F(ReceiveDispatchTest, AFailedRequeueReportsZero)
{
    requeueSucceeds = false;
    EXPECT_EQ(dispatch.OnWaveInData(kInput, header), 0);
    EXPECT_TRUE(ranOneBlock(main));
}

TEST_F(ReceiveDispatchTest, ARecordedCountBeyondTheBufferIsNotReadPastItsEnd)
{
    header.bufferLength = 1000;
    header.bytesRecorded = 4096;  // a lying driver
    EXPECT_EQ(dispatch.OnWaveInData(kInput, header), 1);
    EXPECT_LT(main.decimated, 50);
    EXPECT_EQ(invalidations, 0);
}

TEST_F(ReceiveDispatchTest, OutputBlocksGoToTheTransmitPathOnlyFromTheOpenOutput)
{
    EXPECT_EQ(dispatch.OnWaveOutDone(kOutput, header), 1);
    EXPECT_EQ(dispatch.OnWaveOutDone(kInput, header), 0);
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0], &header);
}

}  // namespace
}  // namespace vexa::engine
