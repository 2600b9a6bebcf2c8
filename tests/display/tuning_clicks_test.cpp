#include "display/tuning_clicks.h"

#include <gtest/gtest.h>

namespace vexa::display {
namespace {

struct TuningTest : ::testing::Test {
    SpectrumScale scale{384, 1};
    TuningClicks clicks;
    TuningState state{OperatingMode::Psk31, 1000.0, 1000.0, true, 1000, 200};
    static constexpr double kBin = SpectrumScale::kBinWidthHz;

    TuningOutcome apply() { return applyTuningClicks(clicks, scale, state); }
};

TEST_F(TuningTest, LeftClickMovesTransmitAndReceive)
{
    clicks.leftDown(scale.pixelOf(1500.0), 50, false);
    clicks.leftUp(scale.pixelOf(1500.0), 50);
    const TuningOutcome o = apply();
    ASSERT_TRUE(o.transmitAndReceiveHz);
    EXPECT_NEAR(*o.transmitAndReceiveHz, 1500.0, kBin);
    EXPECT_FALSE(o.receiveHz);
    EXPECT_FALSE(clicks.leftPending());
    EXPECT_FALSE(apply().frequencyChanged());  // consumed
}

TEST_F(TuningTest, RightClickMovesReceiveOnly)
{
    clicks.rightDown(scale.pixelOf(1200.0), 50, false);
    const TuningOutcome o = apply();
    EXPECT_FALSE(o.transmitAndReceiveHz);
    ASSERT_TRUE(o.receiveHz);
    EXPECT_NEAR(*o.receiveHz, 1200.0, kBin);
}

TEST_F(TuningTest, ClicksOutsideStartToThreeThousandChangeNothing)
{
    state.widthPx = 3000;  // every pixel tested lies inside the control, left of the strip
    for (double hz : {200.0, 384.0 - 2.0, 3002.0, 3500.0}) {
        SCOPED_TRACE(hz);
        clicks.leftDown(scale.pixelOf(hz), 10, false);
        EXPECT_FALSE(apply().frequencyChanged());
        clicks.rightDown(scale.pixelOf(hz), 10, false);
        EXPECT_FALSE(apply().frequencyChanged());
    }
}

TEST_F(TuningTest, ReceiveMoveOfATenthHertzOrLessIsIgnored)
{
    // Pixel 0 of the scale is exactly the start bin's frequency; put receive right there.
    scale = SpectrumScale(0, 1);
    const double hz = scale.frequencyAt(200 * 256);
    state.receiveHz = hz + 0.05;
    clicks.rightDown(200, 10, false);
    EXPECT_FALSE(apply().frequencyChanged());
    state.receiveHz = hz + 0.2;
    clicks.rightDown(200, 10, false);
    EXPECT_TRUE(apply().receiveHz);
}

TEST_F(TuningTest, ShiftClicksPlaceAndRemoveTheSecondChannel)
{
    clicks.leftDown(scale.pixelOf(1800.0), 30, true);
    EXPECT_FALSE(clicks.leftPending());
    TuningOutcome o = apply();
    ASSERT_TRUE(o.secondChannelHz);
    EXPECT_NEAR(*o.secondChannelHz, 1800.0, kBin);
    EXPECT_FALSE(o.frequencyChanged());

    clicks.rightDown(scale.pixelOf(1800.0), 30, true);
    o = apply();
    ASSERT_TRUE(o.secondChannelHz);
    EXPECT_EQ(*o.secondChannelHz, 0.0);

    clicks.leftDown(0, 30, true);  // the very left pixel switches it off too
    o = apply();
    ASSERT_TRUE(o.secondChannelHz);
    EXPECT_EQ(*o.secondChannelHz, 0.0);
}

TEST_F(TuningTest, RightStripFineTunesByHeight)
{
    state.transmitHz = state.receiveHz = 1000.0;
    clicks.leftDown(995, 100, false);  // mid height: no offset, nothing moves
    TuningOutcome o = apply();
    ASSERT_TRUE(o.transmitAndReceiveHz);
    EXPECT_DOUBLE_EQ(*o.transmitAndReceiveHz, 1000.0);

    clicks.leftDown(991, 0, false);  // top: +4.8 Hz, doubled in PSK31
    EXPECT_DOUBLE_EQ(*apply().transmitAndReceiveHz, 1009.6);
    state.mode = OperatingMode::Qpsk;
    clicks.leftDown(999, 200, false);  // bottom
    EXPECT_DOUBLE_EQ(*apply().transmitAndReceiveHz, 995.2);

    // Pixel 990 is outside the strip: a plain jump.
    clicks.leftDown(990, 0, false);
    EXPECT_NEAR(*apply().transmitAndReceiveHz, scale.frequencyAt(990 * 256), 1e-9);
}

TEST_F(TuningTest, RightStripMovesReceiveOrBothWithNet)
{
    state.mode = OperatingMode::Rtty;
    state.transmitHz = 1000.0;
    state.receiveHz = 1100.0;
    state.net = false;
    clicks.rightDown(995, 50, false);  // quarter height: +2.4 Hz
    TuningOutcome o = apply();
    ASSERT_TRUE(o.receiveHz);
    EXPECT_DOUBLE_EQ(*o.receiveHz, 1102.4);

    state.net = true;
    clicks.rightDown(995, 50, false);
    o = apply();
    EXPECT_FALSE(o.receiveHz);
    EXPECT_DOUBLE_EQ(*o.transmitAndReceiveHz, 1102.4);
}

TEST_F(TuningTest, TransmitPathTakesOnlyTheLeftClick)
{
    clicks.leftDown(scale.pixelOf(1500.0), 10, false);
    clicks.rightDown(scale.pixelOf(1200.0), 10, false);
    const auto hz = takeTransmitRetune(clicks, scale, state);
    ASSERT_TRUE(hz);
    EXPECT_NEAR(*hz, 1500.0, kBin);
    EXPECT_FALSE(clicks.leftPending());
    EXPECT_TRUE(clicks.rightPending());
    EXPECT_FALSE(takeTransmitRetune(clicks, scale, state));
    clicks.leftDown(995, 0, false);  // strip: fine tuning, not a jump to the right edge
    EXPECT_DOUBLE_EQ(*takeTransmitRetune(clicks, scale, state), 1009.6);
}

}  // namespace
}  // namespace vexa::display
