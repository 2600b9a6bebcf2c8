// The kinds of transceiver link the settings offer ("TX1"/"Type"), and the radio modes a
// command can ask for.
#pragma once

#include <array>
#include <cstddef>

namespace vexa::rig {

enum class TransceiverType : int {
    None = 0,
    Ic735 = 1,
    Icxxx = 2,  // reserved: no commands, received bytes dropped
    Ft990 = 3,
    Ts850 = 4,
    Hamlib = 5,  // Hamlib's rigctld over TCP ("TX1"/"Rigctld" = host:port)
};

// The radio's own operating modes, as commands set them and replies report them.
enum class RadioMode { Lsb, Usb, Am, Cw, Fm, Rtty };

// A table with one entry per RadioMode, in the order of the enum: each radio's codes for
// its modes, and the names rigctld gives them.
template <class T>
using PerRadioMode = std::array<T, 6>;

template <class T>
constexpr const T& forMode(const PerRadioMode<T>& table, RadioMode mode) noexcept
{
    return table[static_cast<std::size_t>(mode)];
}

// Which line keys the transmitter.
enum class PttMethod { Rts, Dtr, Cat };

}  // namespace vexa::rig
