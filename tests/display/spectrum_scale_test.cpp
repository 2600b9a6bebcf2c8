#include "display/spectrum_scale.h"

#include <gtest/gtest.h>

namespace vexa::display {
namespace {

TEST(SpectrumScale, StartBinFromStartFrequency)
{
    EXPECT_EQ(SpectrumScale(384, 1).startBin(), 71);
    EXPECT_EQ(SpectrumScale(0, 1).startBin(), 0);
    EXPECT_EQ(SpectrumScale(5.38, 1).startBin(), 0);
    EXPECT_EQ(SpectrumScale(5.39, 1).startBin(), 1);
}

TEST(SpectrumScale, PixelOfFrequencyForEachZoom)
{
    struct Case {
        double startHz;
        int zoom;
        double hz;
        int px;
    };
    const Case cases[] = {
        {384, 0, 1000, 230},  {384, 0, 1500, 415},  {384, 0, 2500, 787}, {384, 1, 1000, 459},
        {384, 1, 1500, 831},  {384, 1, 2500, 1574}, {384, 2, 1000, 689}, {384, 2, 1500, 1246},
        {384, 2, 2500, 2360}, {0, 0, 1500, 557},    {0, 1, 1500, 1115},  {0, 2, 1500, 1672},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.startHz << " Hz start, zoom " << c.zoom << ", " << c.hz << " Hz");
        const SpectrumScale s(c.startHz, c.zoom);
        EXPECT_EQ(s.pixelsPerBin(), 2 * c.zoom + 2);
        EXPECT_EQ(s.pixelOf(c.hz), c.px);
        // Clicking that pixel comes back to the frequency within half a pixel.
        EXPECT_NEAR(s.frequencyAt(c.px * 256), c.hz,
                    SpectrumScale::kBinWidthHz / s.pixelsPerBin() / 2 + 1e-9);
    }
}

TEST(SpectrumScale, BinsShownForNarrowAndWideWindows)
{
    const SpectrumScale z0(384, 0), z2(384, 2);
    for (int w : {-5, 0, 1, 10, 11}) EXPECT_EQ(z0.binsShown(w), 0) << w;
    EXPECT_EQ(z0.binsShown(12), 1);
    EXPECT_EQ(z2.binsShown(15), 0);
    EXPECT_EQ(z2.binsShown(16), 1);
    EXPECT_EQ(z0.binsShown(1000), 495);
    EXPECT_EQ(z2.binsShown(1000), 165);  // a third as many over the same start bin
    EXPECT_EQ(z0.binsShown(4106), 2048);
    EXPECT_EQ(z0.binsShown(10000), 2048);
}

TEST(SpectrumScale, ZoomOutsideRangeIsClamped)
{
    // A hand-edited "Zoom" of -1 would give zero pixels per bin and divide by zero.
    EXPECT_EQ(SpectrumScale(384, -1).pixelsPerBin(), 2);
    EXPECT_EQ(SpectrumScale(384, 7).pixelsPerBin(), 6);
    EXPECT_EQ(SpectrumScale(-100, 1).startBin(), 0);
}

}  // namespace
}  // namespace vexa::display
