#include "country/format_path.h"

#include <cmath>
#include <cstdio>

namespace vexa::country {

namespace {

// These are the constants the headings and distances have always been computed with (pi cut
// to a few places); they stay, so that a figure the operator noted down does not change.
constexpr double kDegreesToRadians = 0.017453292519444445;
constexpr double kRadiansToDegrees = 57.29577951471995;
constexpr double kStatuteMilesPerNauticalMile = 1.152;
constexpr double kKmPerNauticalMile = 1.852;
constexpr double kFullCircleKm = 40003.2;
constexpr double kFullCircleMiles = 24883.2;
constexpr double kIndicatorRadiusFactor = -0.31830989161357204;
constexpr double kIndicatorDegreesToRadians = 0.017453292222222222;
constexpr double kNoBearingKm = 0.005;

std::string printf1(const char* format, double a, double b)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

std::string distanceText(const GreatCirclePath& p)
{
    if (p.km > 10) return printf1("%.0f km (%.0f miles)", p.km, p.miles);
    if (p.km > 1) return printf1("%.1f km (%.1f miles)", p.km, p.miles);
    return printf1("%.2f km (%.2f miles)", p.km, p.miles);
}

std::string wholeDegrees(double degrees)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", degrees);
    return buffer;
}

}  // namespace

BearingIndicator::Point BearingIndicator::lineEnd(int half) const noexcept
{
    const double x = half + 0.5 + half * radius * sinLongPath;
    const double y = half + 0.5 - half * radius * cosLongPath;
    return {static_cast<int>(x), static_cast<int>(y)};
}

GreatCirclePath ComputePath(double ownLat, double ownLon, double lat, double lon) noexcept
{
    double d = ownLon - lon;
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    const double p1 = ownLat * kDegreesToRadians;
    const double p2 = lat * kDegreesToRadians;
    const double l = d * kDegreesToRadians;

    GreatCirclePath path;
    // Rounding can push the sum just past 1 for two identical points; acos would give NaN.
    const double cosAngle = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(l);
    path.centralAngle = std::acos(std::fmax(-1.0, std::fmin(1.0, cosAngle)));
    const double nauticalMiles = path.centralAngle * kRadiansToDegrees * 60;
    path.miles = nauticalMiles * kStatuteMilesPerNauticalMile;
    path.km = nauticalMiles * kKmPerNauticalMile;

    double c = (std::sin(p2) - std::cos(path.centralAngle) * std::sin(p1)) /
               (std::sin(path.centralAngle) * std::cos(p1));
    if (std::isnan(c)) c = 1;
    if (c > 1)
        c = 1;
    else if (c < -1)
        c = -1;
    double heading = std::acos(c) * kRadiansToDegrees;
    if (l > 0) heading = 360 - heading;
    path.shortHeading = heading;
    path.longHeading = heading + 180;
    if (path.longHeading >= 360) path.longHeading -= 360;
    path.hasHeading = path.km > kNoBearingKm;
    return path;
}

std::string FormatDistanceNumber(double km)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, km > 10 ? "%.0f" : km > 1 ? "%.1f" : "%.2f", km);
    return buffer;
}

std::string FormatPath(double ownLat, double ownLon, double lat, double lon, int form,
                       BearingIndicator& indicator)
{
    const GreatCirclePath p = ComputePath(ownLat, ownLon, lat, lon);
    indicator.radius = p.centralAngle * kIndicatorRadiusFactor;
    std::string shortHeading;
    std::string longHeading;
    if (p.hasHeading) {
        shortHeading = wholeDegrees(p.shortHeading);
        longHeading = wholeDegrees(p.longHeading);
        indicator.sinLongPath = std::sin(p.longHeading * kIndicatorDegreesToRadians);
        indicator.cosLongPath = std::cos(p.longHeading * kIndicatorDegreesToRadians);
    }
    if (form == 1) return shortHeading;
    if (form != 0) return {};
    GreatCirclePath longPath = p;
    longPath.km = kFullCircleKm - p.km;
    longPath.miles = kFullCircleMiles - p.miles;
    return shortHeading + " Deg   " + distanceText(p) + "\r\n" + longHeading + " Deg   " +
           printf1("%.0f km (%.0f miles)", longPath.km, longPath.miles) + "(LP)";
}

}  // namespace vexa::country
