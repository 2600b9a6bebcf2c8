// The small world map centred on the station: an azimuthal equidistant projection with north
// up, so that every beam heading is a straight line from the centre and the distance from the
// centre grows with the great-circle distance, the antipode on the rim. Drawn into palette
// indices; the window shows it with kGreatCircleMapColours and draws the beam line on a copy.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "display/indexed_image.h"
#include "display/world_map.h"

namespace vexa::display {

struct MapRgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

// Palette indices of the map picture. kMapBackground is the picture's own background (the
// window gives it its colour); the rest are fixed.
enum MapColour : uint8_t {
    kMapBackground = 0,
    kMapWater = 1,
    kMapLand = 2,
    kMapStation = 3,
    kMapBeam = 4,
};
inline constexpr std::array<MapRgb, 5> kGreatCircleMapColours = {{
    {212, 208, 200},  // background, replaced by the window colour on screen
    {64, 96, 200},
    {160, 64, 0},
    {250, 250, 0},
    {255, 255, 255},
}};

class GreatCircleMap {
public:
    // A square picture keeps the mirrored view of southern stations exact.
    explicit GreatCircleMap(int size = 128);

    // Projects the world map for a station at `latitude`, `longitude` (degrees, north and east
    // positive). Does nothing and returns false when the position equals the last drawn one.
    bool draw(double latitude, double longitude,
              std::span<const uint8_t, kWorldMapBytes> world = WorldMapBits());
    // Makes the next draw() run whatever the position.
    void forget() noexcept;

    const IndexedImage& image() const noexcept { return m_image; }

private:
    IndexedImage m_image;
    double m_lastLatitude;
    double m_lastLongitude;
};

}  // namespace vexa::display
