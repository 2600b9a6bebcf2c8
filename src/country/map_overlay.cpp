#include "country/map_overlay.h"

#include "country/find_country.h"

namespace vexa::country {

std::optional<MapOverlay> MapOverlayFor(const CountryTable& table, std::string_view call,
                                        const GeoPosition& own, BearingIndicator& indicator)
{
    const std::optional<CountryMatch> m = FindCountry(table, call);
    if (!m) return std::nullopt;
    const CountryInfo& c = m->info;
    const std::string heading = BearingText(own, c, indicator);
    MapOverlay overlay;
    overlay.lineEnd = indicator.lineEnd(MapOverlay::kCentre);
    overlay.text = " " + c.primaryPrefix + "\n" + c.continent + "-" + c.cqZone + "-" + c.ituZone + "\n" +
                   heading + "\xB0";
    // The note goes into the half of the map the line does not point into.
    const bool lineUp = overlay.lineEnd.y < MapOverlay::kCentre;
    overlay.left = 20;
    overlay.right = 108;
    overlay.top = lineUp ? 68 : 10;
    overlay.bottom = lineUp ? 118 : 60;
    return overlay;
}

}  // namespace vexa::country
