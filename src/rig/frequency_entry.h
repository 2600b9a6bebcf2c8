// Reading the frequency field: plain numbers in kHz or Hz as C's "%i" reads them (a
// leading 0 is octal, 0x hexadecimal), dotted ones as kHz, with small values taken within
// the current MHz.
#pragma once

#include <optional>
#include <string>

namespace vexa::rig {

// The signal frequency to tune to, or nothing (no number, out of range). signalHz gives
// the current MHz for values below 1000.
std::optional<int> parseFrequencyEntry(std::string text, int signalHz);

}  // namespace vexa::rig
