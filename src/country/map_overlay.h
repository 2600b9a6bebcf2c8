// What the clock tick draws over the station map for the call being entered: the beam line
// from the centre towards the country, and a three-line note with prefix, continent, zones and
// heading, placed where the line does not run through it. Sized for the 128-pixel map.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "country/country_table.h"
#include "country/format_path.h"

namespace vexa::country {

struct MapOverlay {
    static constexpr int kCentre = 64;
    BearingIndicator::Point lineEnd;  // the line runs from (kCentre, kCentre), drawn white
    // " <prefix>\n<continent>-<CQ>-<ITU>\n<heading>" and a degree sign (Latin-1 0xB0), drawn
    // centred in RGB(240, 240, 0) with no background inside the rectangle (edges inclusive).
    std::string text;
    int left;
    int top;
    int right;
    int bottom;
};

// The overlay for `call`, nullopt when it resolves to no country. Refreshes `indicator`.
std::optional<MapOverlay> MapOverlayFor(const CountryTable& table, std::string_view call,
                                        const GeoPosition& own, BearingIndicator& indicator);

}  // namespace vexa::country
