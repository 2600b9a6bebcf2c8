// The Info command's country report ("Beaming info"): the country of a prefix or call with its
// zones, both beam headings and distances, and on which bands and modes it has been worked.
#pragma once

#include <string>
#include <string_view>

#include "common/ports.h"
#include "country/find_country.h"
#include "country/format_path.h"
#include "country/worked_tables.h"

namespace vexa::country {

// Where the worked status comes from: the cache read at start, and a scan of the whole log.
struct WorkedSources {
    bool workedCacheRead = false;
    bool logScanned = false;
};

// The report text for `lookupText` resolved to `match`. The band table (the DXCC country's
// masks per band, cw/ssb/rtty/sstv/psk) is added when the worked status is known for the way
// the country was found: a plain entry needs the cache or a log scan, an overridden entry
// (its own zones) a log scan. Refreshes `indicator`.
std::string CountryReport(const CountryTable& table, const WorkedTables& worked, const CountryMatch& match,
                          std::string_view lookupText, const GeoPosition& own, WorkedSources sources,
                          BearingIndicator& indicator);

// The Info command: looks up the entry line's selection, or, with nothing selected, what the
// operator confirms in the "DXCC INFO" input box (proposed: the entry line's first word), and
// shows the report in a "Beaming info" message. Nothing is shown when nothing matches or the
// box is cancelled. The caller then recomputes its call-sign display.
void ShowCountryInfo(const TextWindow& entryLine, Prompter& prompter, const CountryTable& table,
                     const WorkedTables& worked, const GeoPosition& own, WorkedSources sources,
                     BearingIndicator& indicator);

}  // namespace vexa::country
