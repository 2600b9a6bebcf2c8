// The station-centred world map: real geography in the right places, the rim left alone,
// southern stations mirrored, and no work when the station has not moved.
#include "display/great_circle_map.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace vexa::display;

namespace {

// The pixel at `km` along `heading` (degrees) from the centre of a 128-pixel map.
uint8_t pixelAt(const GreatCircleMap& map, double heading, double km)
{
    const double r = km / 20015.0 * 64;
    const double a = heading * 3.141592653589793 / 180;
    return map.image().at(static_cast<int>(std::lround(64 + r * std::sin(a))),
                          static_cast<int>(std::lround(64 - r * std::cos(a))));
}

}  // namespace

TEST(GreatCircleMap, PutsLandAndSeaWhereTheyAreSeenFromTheStation)
{
    struct Case {
        const char* where;
        double lat, lon, heading, km;
        uint8_t colour;
    };
    for (const Case& c : {
             Case{"Berlin: Poland to the east", 52.5, 13.4, 90, 500, kMapLand},
             Case{"Berlin: the Atlantic west of Ireland", 52.5, 13.4, 280, 2000, kMapWater},
             Case{"Berlin: the Sahara", 52.5, 13.4, 180, 3500, kMapLand},
             Case{"Sydney: inland Australia to the west", -33.9, 151.2, 270, 700, kMapLand},
             Case{"Sydney: the Tasman Sea to the east", -33.9, 151.2, 90, 800, kMapWater},
             Case{"Sydney: Antarctica to the south", -33.9, 151.2, 180, 5500, kMapLand},
             Case{"Quito: the Pacific to the west", -0.2, -78.5, 270, 1000, kMapWater},
             Case{"equator, Gabon: Africa to the east", 0.0, 10.0, 90, 1000, kMapLand},
         }) {
        GreatCircleMap map;
        ASSERT_TRUE(map.draw(c.lat, c.lon));
        EXPECT_EQ(pixelAt(map, c.heading, c.km), c.colour) << c.where;
        EXPECT_EQ(map.image().at(64, 64), kMapStation) << c.where;
    }
}

TEST(GreatCircleMap, LeavesTheRimAndUnchangedPositionsAlone)
{
    GreatCircleMap map;
    ASSERT_TRUE(map.draw(50.5, 30.5));
    int inside = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const double r = std::hypot(x - 64, y - 64) / 64;
            if (r >= 0.99) {
                ASSERT_EQ(map.image().at(x, y), kMapBackground) << x << "," << y;
            } else {
                ASSERT_NE(map.image().at(x, y), kMapBackground) << x << "," << y;
                ++inside;
            }
        }
    }
    EXPECT_GT(inside, 12000);

    const IndexedImage before = map.image();
    EXPECT_FALSE(map.draw(50.5, 30.5));
    EXPECT_EQ(std::vector<uint8_t>(map.image().data(), map.image().data() + map.image().byteCount()),
              std::vector<uint8_t>(before.data(), before.data() + before.byteCount()));
    EXPECT_TRUE(map.draw(50.5, 30.6));
    map.forget();
    EXPECT_TRUE(map.draw(50.5, 30.6));
}

TEST(GreatCircleMap, SouthernStationIsTheNorthernViewMirrored)
{
    // A world symmetric about the equator, with bands of land that differ by longitude.
    std::array<uint8_t, kWorldMapBytes> world{};
    for (int row = 0; row < kWorldMapRows; ++row)
        for (int byte = 0; byte < kWorldMapColumns / 8; ++byte)
            if ((std::abs(row - 200) / 30 + byte / 7) % 2 == 0)
                world[static_cast<std::size_t>(row * 80 + byte)] = 0xF0;
    for (int row = 1; row < 200; ++row)
        for (int byte = 0; byte < 80; ++byte)
            world[static_cast<std::size_t>((400 - row) * 80 + byte)] =
                world[static_cast<std::size_t>(row * 80 + byte)];

    GreatCircleMap north;
    GreatCircleMap south;
    ASSERT_TRUE(north.draw(35.0, -60.0, world));
    ASSERT_TRUE(south.draw(-35.0, -60.0, world));
    int differing = 0;
    for (int y = 1; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (south.image().at(x, 128 - y) != north.image().at(x, y)) ++differing;
    EXPECT_EQ(differing, 0);
    // The view is not simply symmetric by itself.
    int asymmetric = 0;
    for (int y = 1; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (north.image().at(x, 128 - y) != north.image().at(x, y)) ++asymmetric;
    EXPECT_GT(asymmetric, 100);
}
