// Great-circle distance and beam headings from the station to a target, as the operator reads
// them: the short-path heading, both distances in km and miles, and the long path. Every
// computation also leaves the bearing indicator that the map draws.
#pragma once

#include <string>

namespace vexa::country {

// Degrees, latitude north-positive, longitude east-positive.
struct GeoPosition {
    double latitude = 0.0;
    double longitude = 0.0;
};

// The most recent path as a pointer: `radius` is minus the central angle over pi (between -1
// at the antipode and 0), and the sine and cosine are of the long-path heading, so that the
// line from the centre points along the short path with north up.
struct BearingIndicator {
    double radius = 0.0;
    double sinLongPath = 0.0;
    double cosLongPath = 0.0;

    struct Point {
        int x;
        int y;
    };
    // The far end of the line that starts at (half, half) in a square box of 2 * half pixels.
    Point lineEnd(int half = 64) const noexcept;
};

struct GreatCirclePath {
    double centralAngle = 0.0;  // radians
    double km = 0.0;
    double miles = 0.0;
    double shortHeading = 0.0;  // degrees 0..360, clockwise from north
    double longHeading = 0.0;
    bool hasHeading = false;  // false at 0.005 km or less: no direction to point in
};

GreatCirclePath ComputePath(double ownLat, double ownLon, double lat, double lon) noexcept;

// The distance number as the path text shows it: no decimals above 10 km, one above 1 km,
// two otherwise.
std::string FormatDistanceNumber(double km);

// Form 0: "<short> Deg   <km> km (<miles> miles)\r\n<long> Deg   <km> km (<miles> miles)(LP)";
// form 1: the short-path heading in whole degrees ("" at 0.005 km or less); any other: "".
// Updates `indicator` (its direction only when there is a heading).
std::string FormatPath(double ownLat, double ownLon, double lat, double lon, int form,
                       BearingIndicator& indicator);

}  // namespace vexa::country
