#include "display/great_circle_map.h"

#include <cmath>

namespace vexa::display {

namespace {

// Pi to seven places, as the bearing indicator's radius uses it, so that the beam line ends
// where the map shows the target.
constexpr double kPi = 3.1415926;
constexpr double kNotDrawn = 9999.9;

int wrap(int value, int range) noexcept
{
    value %= range;
    return value < 0 ? value + range : value;
}

}  // namespace

GreatCircleMap::GreatCircleMap(int size)
    : m_image(size, size), m_lastLatitude(kNotDrawn), m_lastLongitude(kNotDrawn)
{
    m_image.fill(kMapBackground);
}

void GreatCircleMap::forget() noexcept
{
    m_lastLatitude = kNotDrawn;
    m_lastLongitude = kNotDrawn;
}

bool GreatCircleMap::draw(double latitude, double longitude, std::span<const uint8_t, kWorldMapBytes> world)
{
    if (latitude == m_lastLatitude && longitude == m_lastLongitude) return false;
    m_lastLatitude = latitude;
    m_lastLongitude = longitude;

    const int w = m_image.width();
    const int h = m_image.height();
    // Everything outside the disc keeps the picture's background, its first row.
    IndexedImage next(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) next.set(x, y, m_image.at(x, 0));

    double phi0 = latitude * (1.0 / 180) * kPi;
    // On the equator the northern and southern views meet; take it as just north of it.
    if (latitude == 0) phi0 = 0.01;
    const double lambda0 = longitude * (1.0 / 180) * kPi;
    const double a = std::fabs(phi0);
    const double sinA = std::sin(a);
    const double cosA = std::cos(a);
    const int radius = std::min(w / 2, h / 2);
    if (radius <= 0) return true;

    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dx = x - radius;
            const int dy = y - radius;
            const double r = std::sqrt(static_cast<double>(dx * dx + dy * dy)) / radius;
            if (!(r < 0.99)) continue;
            const double rho = r * kPi;
            const double beta = std::atan2(static_cast<double>(dx), static_cast<double>(-dy));
            const double lat = std::asin(sinA * std::cos(rho) + cosA * std::sin(rho) * std::cos(beta));
            const double lon = lambda0 + std::atan2(std::sin(beta) * std::sin(rho) * cosA,
                                                    std::cos(rho) - sinA * std::sin(lat));
            const int column = wrap(static_cast<int>(lon / kPi * 320 + 320.5), kWorldMapColumns);
            const int row =
                wrap(static_cast<int>(phi0 > 0 ? lat / kPi * 400 + 200.5 : 200.5 - lat / kPi * 400),
                     kWorldMapRows);
            // A southern station is the northern computation mirrored top to bottom.
            const int py = phi0 > 0 ? y : h - y;
            next.set(x, py, WorldMapBit(world, column, row) ? kMapWater : kMapLand);
        }
    }
    next.set(radius, radius, kMapStation);
    m_image = std::move(next);
    return true;
}

}  // namespace vexa::display
