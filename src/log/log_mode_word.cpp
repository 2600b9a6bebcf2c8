// Mode words of the log back to operating modes.
#include "log/log_mode_word.h"

#include <array>
#include <utility>

namespace vexa::log {

std::optional<OperatingMode> OperatingModeOfLogWord(std::string_view word, int frequencyHz) noexcept
{
    using M = OperatingMode;
    static constexpr std::array<std::pair<std::string_view, M>, 11> kWords = {{
        {"CW", M::Cw},
        {"USB", M::Usb},
        {"LSB", M::Lsb},
        {"RTTY", M::Rtty},
        {"SSTV", M::Sstv},
        {"FAX", M::Fax},
        {"PSK31", M::Psk31},
        {"BPSK", M::Psk31},
        {"PSK", M::Psk31},
        {"QPSK", M::Qpsk},
        {"FSK31", M::Fsk31},
    }};
    if (word == "SSB") return frequencyHz <= 10000000 ? M::Lsb : M::Usb;
    for (const auto& [w, mode] : kWords) {
        if (w == word) return mode;
    }
    return std::nullopt;
}

}  // namespace vexa::log
