// A DX-cluster spot line as the operator copies it from a cluster client: the spotted
// frequency, the DX call and the comment, found at fixed character positions, and the mode
// and tuning offset the band plan suggests for the spot.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/operating_mode.h"

namespace vexa::rig {

struct DxSpot {
    int frequencyHz = 0;
    std::string call;
    std::string comment;  // everything from column 34; empty on shorter lines
};

// nullopt when the line does not have the spot shape (see the .cpp for the columns).
std::optional<DxSpot> ParseSpotLine(std::string_view line);

struct SpotTuning {
    std::optional<OperatingMode> mode;  // nullopt: the spot lies in no band, the mode stays
    int offsetHz = 0;                   // added to the spot frequency before tuning
};

// SSB above the band's SSB start (LSB up to 10 MHz, USB 200 Hz below the spot above it),
// RTTY 700 Hz up inside the digital segment, CW elsewhere in a band.
SpotTuning TuningForSpot(int frequencyHz);

}  // namespace vexa::rig
