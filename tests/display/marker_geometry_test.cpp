#include "display/marker_geometry.h"

#include <gtest/gtest.h>

namespace vexa::display {
namespace {

int countColour(const MarkerLayout& m, MarkerColour c)
{
    int n = 0;
    for (int i = 0; i < m.count; ++i) n += m.triangles[static_cast<std::size_t>(i)].colour == c;
    return n;
}

TEST(MarkerGeometry, EqualFrequenciesDrawOnlyTheTransmitMarker)
{
    const SpectrumScale s(384, 1);
    MarkerInputs in{OperatingMode::Psk31, 1500.0, 1500.0, 0.0, 0};
    MarkerLayout m = layoutMarkers(s, 1000, 200, in);
    ASSERT_EQ(m.count, 1);
    const Triangle& t = m.triangles[0];
    EXPECT_EQ(t.colour, MarkerColour::White);
    const int x = s.pixelOf(1500.0);
    EXPECT_EQ(t.corners[0], (Point{x - 3, 0}));
    EXPECT_EQ(t.corners[1], (Point{x + 3, 0}));
    EXPECT_EQ(t.corners[2], (Point{x, 7}));

    in.receiveHz = 1400.0;
    in.secondChannelHz = 1800.0;
    m = layoutMarkers(s, 1000, 200, in);
    ASSERT_EQ(m.count, 3);
    EXPECT_EQ(m.triangles[1].colour, MarkerColour::Black);
    EXPECT_EQ(m.triangles[1].corners[2], (Point{s.pixelOf(1400.0), 8}));
    EXPECT_EQ(m.triangles[2].colour, MarkerColour::Grey);
    EXPECT_EQ(m.triangles[2].corners[0].x, s.pixelOf(1800.0) - 2);
    EXPECT_EQ(m.triangles[2].corners[1].x, s.pixelOf(1800.0) + 1);
}

TEST(MarkerGeometry, RttyMarksTheTonePair)
{
    const SpectrumScale s(384, 1);
    const MarkerLayout m = layoutMarkers(s, 1000, 200, {OperatingMode::Rtty, 1500.0, 1300.0, 0.0, 0});
    EXPECT_EQ(countColour(m, MarkerColour::White), 3);
    EXPECT_EQ(countColour(m, MarkerColour::Black), 3);
    EXPECT_EQ(m.triangles[1].corners[2].x, s.pixelOf(1410.0));
    EXPECT_EQ(m.triangles[2].corners[2].x, s.pixelOf(1590.0));
}

TEST(MarkerGeometry, DriftArrowFollowsTheDrift)
{
    EXPECT_EQ(driftIndicatorY(200, OperatingMode::Psk31, 0), 100);
    // 2^31 / 200 units per pixel in PSK31, half that elsewhere.
    EXPECT_EQ(driftIndicatorY(200, OperatingMode::Psk31, 10737418 * 10), 110);
    EXPECT_EQ(driftIndicatorY(200, OperatingMode::Qpsk, 5368709 * 10), 110);
    EXPECT_EQ(driftIndicatorY(200, OperatingMode::Psk31, -10737418 * 30), 70);
    EXPECT_EQ(driftIndicatorY(200, OperatingMode::Fsk31, 2000000000), 199);  // kept inside the control
    EXPECT_EQ(driftIndicatorY(0, OperatingMode::Psk31, 5), 0);
    const MarkerLayout m =
        layoutMarkers(SpectrumScale(384, 1), 1000, 200, {OperatingMode::Psk31, 1500, 1500, 0, 0});
    EXPECT_EQ(m.driftLineFrom, (Point{995, 100}));
    EXPECT_EQ(m.driftLineTo, (Point{990, 100}));
    EXPECT_EQ(m.driftArrow.corners[0], (Point{994, 100}));
}

}  // namespace
}  // namespace vexa::display
