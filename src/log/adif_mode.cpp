// Mode and band tables of the ADIF exchange (ADIF 3.1 enumerations).
#include "log/adif_mode.h"

#include <array>
#include <cctype>

namespace vexa::log {

namespace {

struct WordMode {
    std::string_view word;
    AdifMode adif;
};

constexpr std::array<WordMode, 15> kWordModes = {{
    {"PSK31", {"PSK", "PSK31"}},
    {"BPSK", {"PSK", "PSK31"}},
    {"QPSK", {"PSK", "QPSK31"}},
    {"FSK31", {"PSK", "FSK31"}},
    {"PSK", {"PSK", ""}},
    {"RTTY", {"RTTY", ""}},
    {"CW", {"CW", ""}},
    {"SSB", {"SSB", ""}},
    {"USB", {"SSB", "USB"}},
    {"LSB", {"SSB", "LSB"}},
    {"SSTV", {"SSTV", ""}},
    {"FAX", {"FAX", ""}},
    {"FM", {"FM", ""}},
    {"AM", {"AM", ""}},
    {"", {"", ""}},
}};

struct Band {
    std::string_view name;
    long long lowHz;
    long long highHz;
};

constexpr std::array<Band, 24> kBands = {{
    {"2190m", 135700, 137800},        {"630m", 472000, 479000},         {"560m", 501000, 504000},
    {"160m", 1800000, 2000000},       {"80m", 3500000, 4000000},        {"60m", 5060000, 5450000},
    {"40m", 7000000, 7300000},        {"30m", 10100000, 10150000},      {"20m", 14000000, 14350000},
    {"17m", 18068000, 18168000},      {"15m", 21000000, 21450000},      {"12m", 24890000, 24990000},
    {"10m", 28000000, 29700000},      {"8m", 40000000, 45000000},       {"6m", 50000000, 54000000},
    {"5m", 54000001, 69900000},       {"4m", 70000000, 71000000},       {"2m", 144000000, 148000000},
    {"1.25m", 222000000, 225000000},  {"70cm", 420000000, 450000000},   {"33cm", 902000000, 928000000},
    {"23cm", 1240000000, 1300000000}, {"13cm", 2300000000, 2450000000}, {"9cm", 3300000000, 3500000000},
}};

bool equalIgnoringCase(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

AdifMode AdifModeOfWord(std::string_view word) noexcept
{
    for (const WordMode& m : kWordModes)
        if (!m.word.empty() && m.word == word) return m.adif;
    return {};
}

std::string_view LogWordOfAdifMode(std::string_view mode, std::string_view submode) noexcept
{
    // Older files carry the submode as the mode ("PSK31", "USB", "QPSK31").
    if (equalIgnoringCase(mode, "PSK31") || equalIgnoringCase(mode, "BPSK31")) return "PSK31";
    if (equalIgnoringCase(mode, "QPSK31")) return "QPSK";
    if (equalIgnoringCase(mode, "FSK31")) return "FSK31";
    if (equalIgnoringCase(mode, "USB")) return "USB";
    if (equalIgnoringCase(mode, "LSB")) return "LSB";
    // A submode the log has its own word for wins; then the mode itself.
    for (const WordMode& m : kWordModes)
        if (!m.word.empty() && !m.adif.submode.empty() && equalIgnoringCase(mode, m.adif.mode) &&
            equalIgnoringCase(submode, m.adif.submode))
            return m.word;
    for (const WordMode& m : kWordModes)
        if (!m.word.empty() && m.adif.submode.empty() && equalIgnoringCase(mode, m.adif.mode)) return m.word;
    return {};
}

std::string_view AdifBandName(long long hz) noexcept
{
    for (const Band& b : kBands)
        if (hz >= b.lowHz && hz <= b.highHz) return b.name;
    return {};
}

}  // namespace vexa::log
