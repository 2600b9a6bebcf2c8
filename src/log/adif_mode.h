// The mode words of the log and the MODE/SUBMODE pairs of ADIF, both ways, and the ADIF band
// names by frequency.
#pragma once

#include <string>
#include <string_view>

namespace vexa::log {

struct AdifMode {
    std::string_view mode;     // empty: no ADIF mode for the word
    std::string_view submode;  // may be empty
};

// From a log mode word as written ("QPSK" -> PSK/QPSK31, "USB" -> SSB/USB, "FM" -> FM ...).
AdifMode AdifModeOfWord(std::string_view word) noexcept;

// The log mode word for an ADIF MODE and SUBMODE (any letter case); empty when the log has
// no word for it.
std::string_view LogWordOfAdifMode(std::string_view mode, std::string_view submode) noexcept;

// The ADIF band name ("20m", "70cm") that holds the frequency, or empty.
std::string_view AdifBandName(long long hz) noexcept;

}  // namespace vexa::log
