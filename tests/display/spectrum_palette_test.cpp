#include "display/spectrum_palette.h"

#include <gtest/gtest.h>

namespace vexa::display {
namespace {

TEST(SpectrumPalette, ControlPointsExactlyAndTruncatedBetweenThem)
{
    const SpectrumPalette& p = spectrumPalette();
    EXPECT_EQ(p[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(p[32], (Rgb{0, 0, 180}));
    EXPECT_EQ(p[60], (Rgb{0, 150, 220}));
    EXPECT_EQ(p[160], (Rgb{200, 230, 0}));
    EXPECT_EQ(p[250], (Rgb{240, 200, 0}));
    // Between the points the steps truncate.
    EXPECT_EQ(p[16], (Rgb{0, 0, 90}));
    EXPECT_EQ(p[31], (Rgb{0, 0, 174}));  // 180 * 31 / 32 = 174.4
    EXPECT_EQ(p[46], (Rgb{0, 75, 200}));
    EXPECT_EQ(p[110], (Rgb{100, 190, 110}));
    EXPECT_EQ(p[205], (Rgb{220, 215, 0}));
    EXPECT_EQ(p[251], (Rgb{242, 167, 0}));  // falling green: -200 / 6 truncates to -33
    EXPECT_EQ(p[255], (Rgb{252, 34, 0}));
}

TEST(SpectrumPalette, NearestEntryForLineColours)
{
    EXPECT_EQ(nearestPaletteIndex({255, 200, 0}), 250);
    EXPECT_EQ(nearestPaletteIndex({0, 0, 0}), 0);
    const Rgb blue = spectrumPalette()[nearestPaletteIndex({0, 128, 240})];
    EXPECT_EQ(blue.r, 0);
    EXPECT_GT(blue.g, 100);
    EXPECT_GT(blue.b, 200);
}

}  // namespace
}  // namespace vexa::display
