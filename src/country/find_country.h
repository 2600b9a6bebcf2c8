// Resolving a call sign to its radio country: portable designators are stripped, whole calls
// the country file lists with "=" are taken as they stand, and otherwise the longest prefix in
// the file decides. The clock tick's country line, the logbook and `vexa-log lookup` use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "country/country_info.h"
#include "country/country_table.h"

namespace vexa::country {

// Which countries may answer. DxccOnly skips the entities that count only for the WAE award
// (primary prefix starting with '*', e.g. Sicily), so that the call resolves to the DXCC
// country it counts for (Italy): the worked tables and new-country alerts use it. With All, a
// call the file lists both under a WAE entity and under its DXCC country shows the WAE entity.
enum class Entities { All, DxccOnly };

struct CountryMatch {
    int index = -1;                     // country index
    EntryForm form = EntryForm::Plain;  // how the deciding entry ended
    bool wholeCall = false;             // decided by an "=CALL" entry
    CountryInfo info;                   // with the entry's overrides and, for "VK", the call area's position
};

// The country of `call` (any case, with or without portable designators); nullopt when the
// call is empty or nothing in the table matches. Pure: changes nothing.
std::optional<CountryMatch> FindCountry(const CountryTable& table, std::string_view call,
                                        Entities entities = Entities::All);

// The Info command's lookup: `text` is taken as it is (the caller upper-cases it), with no
// designator stripping and no call-area position; an "=CALL" entry for exactly `text` comes
// first, then the longest prefix.
std::optional<CountryMatch> FindPrefix(const CountryTable& table, std::string_view text,
                                       Entities entities = Entities::All);

// The call as the prefix search sees it: upper-cased (ASCII letters only), trailing dropped
// designators and activity marks removed, then portable prefixes and suffixes resolved
// ("W1ABC/4" -> "W4ABC", "W1ABC/VE3/P" -> "VE3").
std::string StripPortableDesignators(std::string_view call);

}  // namespace vexa::country
