// Sine tones for audio tests: writing one (continuing its phase across blocks) and measuring
// the amplitude of one frequency in a stretch of samples (a single-bin DFT), so that a level
// is checked in the same units it was played in.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <span>

namespace vexa::test {

// Fills `out` with the tone; phaseIndex counts samples written so far and is advanced.
inline void writeTone(std::span<int16_t> out, double hz, double amplitude, std::size_t& phaseIndex,
                      double rate = 11025.0)
{
    for (int16_t& s : out)
        s = static_cast<int16_t>(std::lround(
            amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(phaseIndex++) / rate)));
}

// The amplitude of `hz` in the samples (full amplitude for a pure tone at that frequency).
inline double toneLevel(std::span<const int16_t> s, double hz, double rate = 11025.0)
{
    const double w = 2.0 * std::numbers::pi * hz / rate;
    double re = 0.0;
    double im = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        re += s[i] * std::cos(w * static_cast<double>(i));
        im += s[i] * std::sin(w * static_cast<double>(i));
    }
    return 2.0 * std::hypot(re, im) / static_cast<double>(s.size());
}

}  // namespace vexa::test
