// The radio countries of the world as read from the country file ("cty.dat"): for each country
// its header line and its prefix list, kept as raw text in file order, plus the indexes that let
// a call sign be resolved without scanning every list.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vexa::country {

class WorkedTables;

// How a prefix-list entry ends, which decides where its zones come from: a plain entry ends
// with ',', the others with the marker that opens their first override.
enum class EntryForm : char {
    Plain = ',',
    CqZone = '(',
    ItuZone = '[',
    Position = '<',
    Continent = '{',
    UtcOffset = '~',
};

class CountryTable {
public:
    // One entry of a prefix list that can decide a lookup.
    struct Hit {
        int country;         // country index
        std::size_t marker;  // offset in the prefix list of the character that ends the entry
        EntryForm form;
    };

    std::size_t size() const noexcept { return m_headers.size(); }
    bool empty() const noexcept { return m_headers.empty(); }
    // The header line as read, and the prefix list (",T6,YA," for the prefixes T6 and YA).
    const std::string& header(std::size_t i) const { return m_headers[i]; }
    const std::string& prefixes(std::size_t i) const { return m_prefixes[i]; }
    // True when the header's primary prefix starts with '*': an entity that counts only for
    // the WAE award, not as a DXCC country of its own.
    bool isWaeOnly(std::size_t i) const { return m_waeOnly[i]; }

    void clear();
    void append(std::string header, std::string prefixes);

    // The entries whose prefix text is exactly `prefix` ("=" whole-call entries excluded), one
    // per country in table order, each the country's best form (plain before '(' before '[' ...).
    const std::vector<Hit>* prefixHits(std::string_view prefix) const;
    // The "=CALL" entries for exactly `call`, one per country in table order.
    const std::vector<Hit>* wholeCallHits(std::string_view call) const;
    // The prefix list without its "=" entries, for searches the indexes cannot answer.
    const std::string& searchList(std::size_t i) const { return m_searchLists[i]; }
    // The first country whose primary prefix (header field 8) is exactly `prefix`, or -1.
    int findPrimaryPrefix(std::string_view prefix) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    using Index = std::unordered_map<std::string, std::vector<Hit>, Hash, std::equal_to<>>;
    void indexEntries(int country);

    std::vector<std::string> m_headers;
    std::vector<std::string> m_prefixes;
    std::vector<std::string> m_searchLists;
    std::vector<bool> m_waeOnly;
    Index m_prefixIndex;
    Index m_wholeCallIndex;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> m_primaryIndex;
};

// Field n (1..8) of a header line: field 1 runs to the first ':'; each later field starts at
// the first non-blank character after the previous ':' and runs up to the next ':'. Fields
// past the last ':' are empty.
std::string_view HeaderField(std::string_view header, int n) noexcept;

// The C library's reading of numbers (leading blanks, optional sign, then as many characters
// as form a number; 0 when none do), but independent of the process locale, so that a desktop
// set to a decimal comma still reads "41.90" from the country file.
double ParseDecimal(std::string_view text) noexcept;
int ParseInteger(std::string_view text) noexcept;

// Fills `table` from the country file at `path`, replacing what it held, and sizes `worked`
// for it with every mask zero. When the file cannot be read, false: the table is empty and
// every worked table has length 0. Lines may end in CR LF or LF.
bool LoadCountryFile(const std::filesystem::path& path, CountryTable& table, WorkedTables& worked);

}  // namespace vexa::country
