#include "country/find_country.h"

#include <algorithm>
#include <array>

namespace vexa::country {

namespace {

// Suffixes that say how or where the station operates but not in which country.
constexpr std::array<std::string_view, 9> kDroppedSuffixes = {"P", "MM", "AM", "S", "A", "QRP", "M", "B", ""};
// Activity marks seen on real calls (rover, lighthouse, summits, parks, scout and youth
// stations); left in place they would resolve as a country of their own ("R": Russia).
constexpr std::array<std::string_view, 7> kActivityMarks = {"R", "LH", "LGT", "SOTA", "POTA", "JOTA", "YOTA"};

constexpr std::string_view kEntryEnds = ",([<{~";

struct AreaPosition {
    char digit;
    double latitude;
    double longitude;
};
// Australia spans a continent: the call area gives a far better beam heading than the
// country's single position.
constexpr std::array<AreaPosition, 7> kVkAreas = {{
    {'2', -33.88, 151.17},
    {'3', -37.75, 144.97},
    {'4', -27.5, 153.0},
    {'5', -34.9, 138.6},
    {'6', -32.0, 115.9},
    {'7', -42.9, 147.3},
    {'8', -13.0, 131.0},
}};

bool contains(const auto& list, std::string_view s)
{
    return std::find(list.begin(), list.end(), s) != list.end();
}

bool isDigit(char c) noexcept
{
    return c >= '0' && c <= '9';
}

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

void dropTrailingMarks(std::string& s)
{
    for (std::size_t slash = s.rfind('/'); slash != std::string::npos; slash = s.rfind('/')) {
        const std::string_view piece = std::string_view(s).substr(slash + 1);
        if (!contains(kDroppedSuffixes, piece) && !contains(kActivityMarks, piece)) break;
        s.erase(slash);
    }
}

void resolvePortable(std::string& s)
{
    for (std::size_t slash = s.find('/'); slash != std::string::npos; slash = s.find('/')) {
        std::string base = s.substr(0, slash);
        std::string suffix = s.substr(slash + 1);
        if (contains(kDroppedSuffixes, suffix)) {
            s = std::move(base);
        } else if (suffix.size() == 1 && isDigit(suffix[0])) {
            // A new call area: the digit replaces the base's call-area digits (the first
            // character is never one: 9A1AA/3 is 9A3AA).
            std::size_t run = 1;
            while (run < base.size() && !isDigit(base[run])) ++run;
            std::size_t runEnd = run;
            while (runEnd < base.size() && isDigit(base[runEnd])) ++runEnd;
            if (run >= base.size() || runEnd == base.size())
                s = std::move(base);
            else
                s = base.substr(0, run) + suffix + base.substr(runEnd);
        } else {
            s = suffix.size() < base.size() ? std::move(suffix) : std::move(base);
        }
    }
}

bool eligible(const CountryTable& table, int country, Entities entities)
{
    return entities == Entities::All || !table.isWaeOnly(static_cast<std::size_t>(country));
}

// Reads the override markers that follow a matched entry: (CQ zone), [ITU zone],
// <latitude/longitude> (West-positive, like the header), {continent} and ~UTC offset~.
// A marker without its closing character takes the rest of the list.
void applyOverrides(std::string_view list, std::size_t pos, CountryInfo& info)
{
    while (pos < list.size()) {
        const char open = list[pos];
        char close = 0;
        switch (open) {
            case '(':
                close = ')';
                break;
            case '[':
                close = ']';
                break;
            case '<':
                close = '>';
                break;
            case '{':
                close = '}';
                break;
            case '~':
                close = '~';
                break;
            default:
                return;
        }
        const std::size_t end = list.find(close, pos + 1);
        const std::string_view text =
            list.substr(pos + 1, end == std::string_view::npos ? list.npos : end - pos - 1);
        switch (open) {
            case '(':
                info.cqZone = text;
                break;
            case '[':
                info.ituZone = text;
                break;
            case '{':
                info.continent = text;
                break;
            case '~':
                info.utcOffset = text;
                break;
            case '<':
                if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
                    info.latitude = ParseDecimal(text.substr(0, slash));
                    info.longitude = -ParseDecimal(text.substr(slash + 1));
                }
                break;
        }
        if (end == std::string_view::npos) return;
        pos = end + 1;
    }
}

CountryMatch decide(const CountryTable& table, int country, std::string_view list, std::size_t marker,
                    EntryForm form, bool wholeCall)
{
    CountryMatch m;
    m.index = country;
    m.form = form;
    m.wholeCall = wholeCall;
    m.info = *GetCountryInfo(table, country);
    if (form != EntryForm::Plain) applyOverrides(list, marker, m.info);
    return m;
}

std::optional<CountryMatch> firstEligible(const CountryTable& table,
                                          const std::vector<CountryTable::Hit>* hits, Entities entities,
                                          bool wholeCall)
{
    if (hits == nullptr) return std::nullopt;
    // The file lists some calls twice, under a WAE entity and under the DXCC country it
    // belongs to (GB0BL: Shetland and Scotland); a lookup that may show WAE entities shows it.
    const auto waeFirst = std::find_if(hits->begin(), hits->end(), [&](const CountryTable::Hit& h) {
        return table.isWaeOnly(static_cast<std::size_t>(h.country));
    });
    if (wholeCall && entities == Entities::All && waeFirst != hits->end()) {
        const CountryTable::Hit& h = *waeFirst;
        return decide(table, h.country, table.prefixes(static_cast<std::size_t>(h.country)), h.marker, h.form,
                      true);
    }
    for (const CountryTable::Hit& h : *hits) {
        if (!eligible(table, h.country, entities)) continue;
        return decide(table, h.country, table.prefixes(static_cast<std::size_t>(h.country)), h.marker, h.form,
                      wholeCall);
    }
    return std::nullopt;
}

// The plain substring search over the lists, for a prefix that itself holds a separator or
// a marker and so can match across entries.
std::optional<CountryMatch> searchLists(const CountryTable& table, std::string_view prefix, Entities entities)
{
    const std::string search = "," + std::string(prefix);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int country = static_cast<int>(i);
        if (!eligible(table, country, entities)) continue;
        const std::string& list = table.searchList(i);
        if (list.find(search) == std::string::npos) continue;
        for (char end : kEntryEnds) {
            const std::size_t at = list.find(search + end);
            if (at != std::string::npos)
                return decide(table, country, list, at + search.size(), static_cast<EntryForm>(end), false);
        }
    }
    return std::nullopt;
}

std::optional<CountryMatch> longestPrefix(const CountryTable& table, std::string_view working,
                                          Entities entities)
{
    for (std::size_t length = working.size() + 1; length-- > 0;) {
        const std::string_view prefix = working.substr(0, length);
        std::optional<CountryMatch> m = prefix.find_first_of(kEntryEnds) == std::string_view::npos
                                            ? firstEligible(table, table.prefixHits(prefix), entities, false)
                                            : searchLists(table, prefix, entities);
        if (m) return m;
    }
    return std::nullopt;
}

}  // namespace

std::string StripPortableDesignators(std::string_view call)
{
    std::string working = upperAscii(call);
    dropTrailingMarks(working);
    resolvePortable(working);
    return working;
}

std::optional<CountryMatch> FindCountry(const CountryTable& table, std::string_view call, Entities entities)
{
    if (call.empty()) return std::nullopt;
    const std::string upper = upperAscii(call);
    // A whole call listed in the file is tried as given, without its trailing designators
    // ("=3DA0BP/J" for 3DA0BP/J/P) and fully stripped ("=3D2EU" for 3D2EU/P).
    std::optional<CountryMatch> m = firstEligible(table, table.wholeCallHits(upper), entities, true);
    std::string working = upper;
    if (!m) {
        dropTrailingMarks(working);
        m = firstEligible(table, table.wholeCallHits(working), entities, true);
    }
    if (!m) {
        resolvePortable(working);
        m = firstEligible(table, table.wholeCallHits(working), entities, true);
        if (!m) m = longestPrefix(table, working, entities);
    }
    if (!m) return std::nullopt;
    if (m->info.primaryPrefix == "VK" && call.size() > 2) {
        for (const AreaPosition& area : kVkAreas) {
            if (call[2] != area.digit) continue;
            m->info.latitude = area.latitude;
            m->info.longitude = area.longitude;
        }
    }
    return m;
}

std::optional<CountryMatch> FindPrefix(const CountryTable& table, std::string_view text, Entities entities)
{
    if (std::optional<CountryMatch> m = firstEligible(table, table.wholeCallHits(text), entities, true))
        return m;
    return longestPrefix(table, text, entities);
}

}  // namespace vexa::country
