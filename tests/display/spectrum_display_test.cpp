#include "display/spectrum_display.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "support/fake_spectrum_port.h"

namespace vexa::display {
namespace {

using testing::toneBlock;

struct SpectrumDisplayTest : ::testing::Test {
    testing::FakeSpectrumPort port;
    SpectrumDisplay display{port};
};

TEST_F(SpectrumDisplayTest, DrawsAFreshCaptureOnceAndAsksForTheNext)
{
    EXPECT_FALSE(display.draw(1000, 200).rendered);  // nothing captured yet
    EXPECT_FALSE(port.capture.ready());
    ASSERT_TRUE(port.offerBlock(toneBlock(1500.0)));
    EXPECT_FALSE(port.offerBlock(toneBlock(1500.0)));  // one capture per request
    EXPECT_TRUE(display.draw(1000, 200).rendered);
    EXPECT_FALSE(port.capture.ready());
    // A redraw forced by the clock does not scroll the old block in again.
    const uint8_t before = display.renderer().image().at(0, 1);
    EXPECT_FALSE(display.draw(1000, 200).rendered);
    EXPECT_EQ(display.renderer().image().at(0, 1), before);
}

TEST_F(SpectrumDisplayTest, ClicksApplyAtTheNextDrawEvenWithoutAudio)
{
    const SpectrumScale s = display.scale();
    port.clicks.leftDown(s.pixelOf(1500.0), 40, false);
    port.drift = 12345;
    EXPECT_TRUE(display.draw(1000, 200).frequencyChanged);
    EXPECT_NEAR(port.transmitHz, 1500.0, SpectrumScale::kBinWidthHz);
    EXPECT_EQ(port.receiveHz, port.transmitHz);
    EXPECT_EQ(port.drift, 0);
    // Markers follow the new frequency in the same draw.
    EXPECT_EQ(display.markers().count, 1);
    EXPECT_EQ(display.markers().triangles[0].corners[2].x, s.pixelOf(port.transmitHz));

    port.clicks.leftDown(s.pixelOf(1800.0), 40, true);
    display.draw(1000, 200);
    EXPECT_NEAR(port.secondHz, 1800.0, SpectrumScale::kBinWidthHz);
    EXPECT_EQ(display.markers().count, 2);
}

TEST_F(SpectrumDisplayTest, CarrierStepsByOneHertzAndFollowsNet)
{
    port.transmitHz = port.receiveHz = 1000.0;
    EXPECT_TRUE(display.stepCarrier(+1.0));
    EXPECT_EQ(port.receiveHz, 1001.0);
    EXPECT_EQ(port.transmitHz, 1001.0);
    port.net = false;
    EXPECT_TRUE(display.stepCarrier(-1.0));
    EXPECT_EQ(port.receiveHz, 1000.0);
    EXPECT_EQ(port.transmitHz, 1001.0);
    port.receiveHz = 2999.5;
    EXPECT_FALSE(display.stepCarrier(+1.0));
    EXPECT_EQ(port.receiveHz, 2999.5);
}

}  // namespace
}  // namespace vexa::display
