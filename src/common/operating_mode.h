// The operating mode, shared by every subsystem that behaves differently per mode (receive,
// transmit path, spectrum display, band plan, log). Code carries the enum; only the edges
// that store or show a number (the profile, the mode combo box) convert, through
// operatingModeFromIndex and modeIndex.
#pragma once

#include <array>
#include <optional>
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

// Texts of the mode combo box, item index = modeIndex.
inline constexpr std::array<std::string_view, kOperatingModeCount> kOperatingModeNames = {
    "CW", "USB", "LSB", "SSB", "RTTY", "SSTV", "FAX", "AM", "FM", "PSK", "QPSK", "FSK31"};

// The combo box index (and profile value) of a mode.
constexpr int modeIndex(OperatingMode m) noexcept
{
    return static_cast<int>(m);
}

// nullopt for an index that names no mode.
constexpr std::optional<OperatingMode> operatingModeFromIndex(int index) noexcept
{
    if (index < 0 || index >= kOperatingModeCount) return std::nullopt;
    return static_cast<OperatingMode>(index);
}

constexpr std::string_view modeName(OperatingMode m) noexcept
{
    return kOperatingModeNames[static_cast<std::size_t>(modeIndex(m))];
}

// PSK31, QPSK and FSK31: varicode text at 31.25 Bd.
constexpr bool isVaricodeMode(OperatingMode m) noexcept
{
    return m == OperatingMode::Psk31 || m == OperatingMode::Qpsk || m == OperatingMode::Fsk31;
}

// The modes whose audio the engine demodulates (and modulates).
constexpr bool isDemodulatedMode(OperatingMode m) noexcept
{
    return m == OperatingMode::Rtty || isVaricodeMode(m);
}

// USB, LSB and SSB: voice, with the voice keyer on the function keys.
constexpr bool isVoiceMode(OperatingMode m) noexcept
{
    return m == OperatingMode::Usb || m == OperatingMode::Lsb || m == OperatingMode::Ssb;
}

// Whoever knows the mode the station works in: the window as the features that behave per
// mode (transceiver, bands, marks, macros) see it.
class OperatingModeSource {
public:
    virtual ~OperatingModeSource() = default;
    virtual OperatingMode operatingMode() const = 0;
};

}  // namespace vexa
