// The operating mode a logged contact was made in, read back from the mode word its record
// was written with, so that contacts found by the log scan are marked in their own mode.
#pragma once

#include <optional>
#include <string_view>

#include "common/operating_mode.h"

namespace vexa::log {

// nullopt for a word that names no operating mode (or none at all). "SSB", which the time
// stamp writes for every voice mode, gives the sideband usual on the band: LSB up to
// 10 MHz, USB above.
std::optional<OperatingMode> OperatingModeOfLogWord(std::string_view word, int frequencyHz) noexcept;

}  // namespace vexa::log
