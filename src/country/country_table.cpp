#include "country/country_table.h"

#include <array>
#include <cctype>
#include <charconv>
#include <fstream>
#include <string_view>

#include "country/worked_tables.h"

namespace vexa::country {

namespace {

constexpr std::string_view kEntryEnds = ",([<{~";

// A plain entry decides before an overridden one of the same prefix; among the overrides the
// zone markers come first, as they are the ones every country file has.
int formRank(EntryForm form) noexcept
{
    constexpr std::string_view kRanked = ",([<{~";  // Plain, CqZone, ItuZone, Position, Continent, UtcOffset
    const std::size_t rank = kRanked.find(static_cast<char>(form));
    return rank == std::string_view::npos ? 6 : static_cast<int>(rank);
}

std::string withoutWholeCallEntries(std::string_view list)
{
    std::string out;
    std::size_t start = 0;
    bool first = true;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view piece =
            list.substr(start, comma == std::string_view::npos ? list.npos : comma - start);
        // The text before the first comma is not an entry of its own; keep it as it is.
        if (first || piece.empty() || piece.front() != '=') {
            out += piece;
            if (comma != std::string_view::npos) out += ',';
        }
        first = false;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

bool isBlank(char c) noexcept
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string_view HeaderField(std::string_view header, int n) noexcept
{
    if (n < 1) return {};
    std::size_t start = 0;
    for (int field = 1;; ++field) {
        const std::size_t colon = header.find(':', start);
        if (colon == std::string_view::npos) return {};
        if (field == n) return header.substr(start, colon - start);
        start = colon + 1;
        while (start < header.size() && isBlank(header[start])) ++start;
    }
}

double ParseDecimal(std::string_view text) noexcept
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    double value = 0.0;
    const auto r =
        std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
    return r.ec == std::errc() ? value : 0.0;
}

int ParseInteger(std::string_view text) noexcept
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    long long value = 0;
    const auto r = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (r.ec != std::errc()) return 0;
    return static_cast<int>(value);
}

void CountryTable::clear()
{
    m_headers.clear();
    m_prefixes.clear();
    m_searchLists.clear();
    m_waeOnly.clear();
    m_prefixIndex.clear();
    m_wholeCallIndex.clear();
    m_primaryIndex.clear();
}

void CountryTable::append(std::string header, std::string prefixes)
{
    const int country = static_cast<int>(m_headers.size());
    const std::string_view primary = HeaderField(header, 8);
    m_waeOnly.push_back(!primary.empty() && primary.front() == '*');
    m_primaryIndex.try_emplace(std::string(primary), country);
    m_searchLists.push_back(withoutWholeCallEntries(prefixes));
    m_headers.push_back(std::move(header));
    m_prefixes.push_back(std::move(prefixes));
    indexEntries(country);
}

// An entry can decide a lookup only where the list goes on after its prefix text with ',' or
// an override marker; a prefix that runs to the end of the list without one never matches.
void CountryTable::indexEntries(int country)
{
    const std::string& list = m_prefixes[static_cast<std::size_t>(country)];
    struct Best {
        Hit hit;
        bool wholeCall;
    };
    std::unordered_map<std::string, Best, Hash, std::equal_to<>> best[2];
    std::vector<std::pair<int, std::string>> order;  // first appearance, to keep the index stable
    for (std::size_t comma = list.find(','); comma != std::string::npos; comma = list.find(',', comma + 1)) {
        const std::size_t start = comma + 1;
        const std::size_t end = list.find_first_of(kEntryEnds, start);
        if (end == std::string::npos) break;
        std::string_view text(list.data() + start, end - start);
        const bool wholeCall = !text.empty() && text.front() == '=';
        if (wholeCall) text.remove_prefix(1);
        const Hit hit{country, end, static_cast<EntryForm>(list[end])};
        auto& map = best[wholeCall ? 1 : 0];
        auto it = map.find(text);
        if (it == map.end()) {
            map.emplace(std::string(text), Best{hit, wholeCall});
            order.emplace_back(wholeCall ? 1 : 0, std::string(text));
        } else if (formRank(hit.form) < formRank(it->second.hit.form)) {
            it->second.hit = hit;
        }
    }
    for (const auto& [kind, key] : order) {
        Index& index = kind == 1 ? m_wholeCallIndex : m_prefixIndex;
        index[key].push_back(best[kind].find(key)->second.hit);
    }
}

const std::vector<CountryTable::Hit>* CountryTable::prefixHits(std::string_view prefix) const
{
    const auto it = m_prefixIndex.find(prefix);
    return it == m_prefixIndex.end() ? nullptr : &it->second;
}

const std::vector<CountryTable::Hit>* CountryTable::wholeCallHits(std::string_view call) const
{
    const auto it = m_wholeCallIndex.find(call);
    return it == m_wholeCallIndex.end() ? nullptr : &it->second;
}

int CountryTable::findPrimaryPrefix(std::string_view prefix) const
{
    const auto it = m_primaryIndex.find(prefix);
    return it == m_primaryIndex.end() ? -1 : it->second;
}

bool LoadCountryFile(const std::filesystem::path& path, CountryTable& table, WorkedTables& worked)
{
    table.clear();
    worked.clear();
    // A directory opens as a stream that reads nothing; it is no country file.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;

    std::string header;
    std::string prefixes = ",";
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A blank, a control character or a byte above 127 first makes a continuation line.
        if (line.empty() || static_cast<signed char>(line.front()) <= 32) {
            for (char c : line) {
                if (c == ' ') continue;
                prefixes += c == ';' ? ',' : c;
            }
            continue;
        }
        if (!header.empty() && !prefixes.empty()) {
            table.append(std::move(header), std::move(prefixes));
            prefixes.assign(1, ',');
        }
        header = line;
    }
    if (!header.empty() && !prefixes.empty()) table.append(std::move(header), std::move(prefixes));
    worked.reset(table.size());
    return true;
}

}  // namespace vexa::country
