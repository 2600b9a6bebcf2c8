// Texts of the two frequency fields: the dial frequency in the "&Fq:" field and the audio
// (carrier) frequency in the "Hz" field.
#pragma once

#include <string>

namespace vexa::display {

// Dial frequency shown until a transceiver reports one.
inline constexpr int kDefaultDialFrequencyHz = 14071000;

// "MHz.kHz.Hz" with three-digit groups: 14070150 -> "14.070.150". A negative value (an
// impossible dial) keeps its sign in front instead of in every group.
std::string formatDialFrequency(int hz);

// Six characters wide, one decimal: 1500.25 -> "1500.2", 700 -> " 700.0".
std::string formatAudioFrequency(double hz);

}  // namespace vexa::display
