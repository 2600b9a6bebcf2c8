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

// Subsystems carry the mode as its number (the combo box index).
constexpr int modeNumber(OperatingMode m) noexcept
{
    return static_cast<int>(m);
}

constexpr bool isMode(int mode, OperatingMode m) noexcept
{
    return mode == modeNumber(m);
}

// PSK31, QPSK and FSK31: varicode text at 31.25 Bd.
constexpr bool isVaricodeMode(int mode) noexcept
{
    return isMode(mode, OperatingMode::Psk31) || isMode(mode, OperatingMode::Qpsk) ||
           isMode(mode, OperatingMode::Fsk31);
}

constexpr bool isDemodulatedMode(int mode) noexcept
{
    return isMode(mode, OperatingMode::Rtty) || isVaricodeMode(mode);
}

}  // namespace vexa
