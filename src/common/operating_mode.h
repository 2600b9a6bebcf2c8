// The operating mode: the index of the mode combo box, shared by every subsystem that
// behaves differently per mode (receive dispatch, transmit path, band plan, log).
#pragma once

#include <array>
#include <string_view>

namespace vexa {

enum class OperatingMode : int {
    Cw = 0,
    Usb = 1,
    Lsb = 2,
    Ssb = 3,  // voice keyer
    Rtty = 4,
    Sstv = 5,
    Fax = 6,
    Am = 7,
    Fm = 8,
    Psk31 = 9,
    Qpsk = 10,
    Fsk31 = 11,
};

inline constexpr int kOperatingModeCount = 12;

// Texts of the mode combo box, item index = mode number.
inline constexpr std::array<std::string_view, kOperatingModeCount> kOperatingModeNames = {
    "CW", "USB", "LSB", "SSB", "RTTY", "SSTV", "FAX", "AM", "FM", "PSK", "QPSK", "FSK31"};

constexpr bool isDemodulatedMode(int mode) noexcept
{
    return mode == 4 || mode == 9 || mode == 10 || mode == 11;
}

}  // namespace vexa
