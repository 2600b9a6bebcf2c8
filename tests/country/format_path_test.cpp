// Distances and headings as the operator reads them, and the bearing indicator they leave.
#include "country/format_path.h"

#include <gtest/gtest.h>

#include "country/map_overlay.h"
#include "tests/country/country_fixture.h"

using namespace vexa::country;

namespace {
// Latitude degrees that make `km` along a meridian with the path's own constants.
double degreesFor(double km)
{
    return km / (60 * 1.852);
}
}  // namespace

TEST(FormatPath, DistanceDecimalsChangeAt10And1Km)
{
    struct Case {
        double km;
        const char* text;
    };
    for (const Case& c :
         {Case{10.02, "0 Deg   10 km (6 miles)"}, Case{9.98, "0 Deg   10.0 km (6.2 miles)"},
          Case{1.02, "0 Deg   1.0 km (0.6 miles)"}, Case{0.98, "0 Deg   0.98 km (0.61 miles)"},
          Case{0.004, " Deg   0.00 km (0.00 miles)"}}) {
        BearingIndicator ind;
        const std::string text = FormatPath(0, 0, degreesFor(c.km), 0, 0, ind);
        EXPECT_EQ(text.substr(0, text.find("\r\n")), c.text) << c.km;
    }
}

TEST(FormatPath, HeadingsLongPathAndWrap)
{
    BearingIndicator ind;
    // Due west: short heading 270, long path 90 and the rest of the circle.
    EXPECT_EQ(FormatPath(0, 10, 0, 0, 1, ind), "270");
    const std::string full = FormatPath(0, 10, 0, 0, 0, ind);
    EXPECT_EQ(full, "270 Deg   1111 km (691 miles)\r\n90 Deg   38892 km (24192 miles)(LP)");
    EXPECT_EQ(FormatPath(0, 0, 0, 10, 1, ind), "90");
    // 170 E to 170 W is 20 degrees to the east, not 340 to the west.
    EXPECT_EQ(FormatPath(0, 170, 0, -170, 1, ind), "90");
    EXPECT_EQ(ComputePath(0, 170, 0, -170).km, ComputePath(0, 0, 0, 20).km);
    EXPECT_EQ(FormatPath(50, 10, 50, 10, 1, ind), "");
    EXPECT_EQ(FormatPath(50, 10, 50, 10, 2, ind), "");
    EXPECT_EQ(FormatDistanceNumber(10.0), "10.0");
    EXPECT_EQ(FormatDistanceNumber(1.0), "1.00");
}

TEST(FormatPath, IndicatorPointsAlongTheShortPathAndKeepsItsDirectionAtZero)
{
    BearingIndicator ind;
    FormatPath(0, 0, 0, 90, 1, ind);  // a quarter of the way round, due east
    EXPECT_NEAR(ind.radius, -0.5, 1e-6);
    EXPECT_EQ(ind.lineEnd().x, 96);
    EXPECT_EQ(ind.lineEnd().y, 64);
    FormatPath(0, 0, -45, 0, 1, ind);  // due south
    EXPECT_EQ(ind.lineEnd().x, 64);
    EXPECT_EQ(ind.lineEnd().y, 80);
    const BearingIndicator before = ind;
    FormatPath(10, 10, 10, 10, 1, ind);
    EXPECT_EQ(ind.radius, 0.0);
    EXPECT_EQ(ind.sinLongPath, before.sinLongPath);
    EXPECT_EQ(ind.cosLongPath, before.cosLongPath);
}

TEST(MapOverlay, NoteAvoidsTheLineAndCarriesPrefixZonesAndHeading)
{
    const CountryTable& table = vexa::test::realCountryTable();
    BearingIndicator ind;
    const GeoPosition berlin{52.5, 13.4};
    const auto ja = MapOverlayFor(table, "JA1ABC", berlin, ind);  // north-east: the line points up
    ASSERT_TRUE(ja);
    EXPECT_LT(ja->lineEnd.y, 64);
    EXPECT_GT(ja->lineEnd.x, 64);
    EXPECT_EQ(ja->top, 68);
    EXPECT_EQ(ja->text, " JA\nAS-25-45\n42\xB0");
    const auto zs = MapOverlayFor(table, "ZS1ABC", berlin, ind);  // south
    ASSERT_TRUE(zs);
    EXPECT_GT(zs->lineEnd.y, 64);
    EXPECT_EQ(zs->top, 10);
    EXPECT_EQ(zs->bottom, 60);
    EXPECT_FALSE(MapOverlayFor(table, "12345", berlin, ind));
}
