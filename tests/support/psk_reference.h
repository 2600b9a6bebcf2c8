// A floating-point PSK31/QPSK signal generator written from the public description of the
// modes, independent of Vexa's own transmitter so the two cannot share a mistake:
// 31.25 Bd, a zero bit is a phase change, words separated by two zero bits, cosine-shaped
// transitions between symbols; QPSK feeds the inverted data bits to a rate-1/2, K=5
// convolutional code (polynomials 11001 and 10111) whose dibit d advances the carrier phase
// by d x 90 degrees (reverseSense: -d x 90, what the other sideband gives). Like a real
// transmitter, the signal starts with a steady carrier and then idles before the text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::test {

struct PskSignalOptions {
    double carrierHz = 1000.0;
    double amplitude = 4000.0;  // peak, in 16-bit sample units
    bool qpsk = false;
    bool reverseSense = false;    // QPSK received on the other sideband
    int leadCarrierSymbols = 16;  // unmodulated carrier first (reads as one bits)
    int leadBits = 40;            // idle zero bits before the text
    int tailBits = 40;            // idle zero bits after it (the Viterbi needs ~25)
    double symbolRateBd = 31.25;
    double sampleRate = 11025.0;
    double startPhase = 0.3;  // radians
    int leadSilence = 500;    // samples of nothing before the signal
};

// The data bits of text: each character's word followed by two zero bits.
std::vector<int> varicodeBits(std::string_view text);

// The bits with the lead and tail idle bits around them, as audio.
std::vector<double> pskSignal(std::string_view text, const PskSignalOptions& options);

// Rounded and clipped to 16 bits.
std::vector<int16_t> toPcm16(const std::vector<double>& signal);

// The published word of character code 0..127, as a string of '0' and '1'.
std::string_view referenceVaricodeWord(int code);

}  // namespace vexa::test
