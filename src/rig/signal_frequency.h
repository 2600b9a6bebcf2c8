// Dial frequency and signal frequency. In the digital modes the signal sits at the audio
// carrier above the dial (USB, "DigiSide" 0) or below it (LSB); elsewhere they are equal.
#pragma once

#include "common/operating_mode.h"

namespace vexa::rig {

// GetSignalFrequency: the carrier rounded to the nearest hertz.
int signalFromDial(int dialHz, OperatingMode operatingMode, double carrierHz, int digiSide) noexcept;
// The dial that puts a signal at `signalHz`: the carrier truncated toward zero, so a
// fractional carrier may show the tuned frequency 1 Hz off.
int dialFromSignal(int signalHz, OperatingMode operatingMode, double carrierHz, int digiSide) noexcept;

}  // namespace vexa::rig
