// The 64-tap correlator tables of the three demodulators. Coefficient 0 multiplies the oldest
// decimated sample; each table is symmetric about index 32.
#pragma once

#include <array>
#include <cstdint>

namespace vexa::engine {

using CorrelatorCoefficients = std::array<int32_t, 64>;

// clang-format off
// PSK31 and QPSK: a matched low-pass for the 31.25 Bd cosine-shaped symbol.
inline constexpr CorrelatorCoefficients kPskCoefficients = {
    0,    5,    21,   44,   71,   96,   114,  121,  112,  86,   40,   -23,  -98,
    -181, -262, -333, -384, -405, -389, -328, -220, -63,  140,  383,  656,  946,
    1242, 1526, 1784, 2001, 2166, 2269, 2304, 2269, 2166, 2001, 1784, 1526, 1242,
    946,  656,  383,  140,  -63,  -220, -328, -389, -405, -384, -333, -262, -181,
    -98,  -23,  40,   86,   112,  121,  114,  96,   71,   44,   21,   5};

// FSK31: a wider low-pass that keeps both tones 16.625 Hz apart.
inline constexpr CorrelatorCoefficients kFsk31Coefficients = {
    -2,   -6,   -18,  -38,  -64,  -94,  -127, -160, -191, -217, -234, -241, -234,
    -211, -170, -109, -28,  74,   196,  337,  494,  665,  845,  1030, 1215, 1395,
    1564, 1718, 1851, 1960, 2040, 2089, 2106, 2089, 2040, 1960, 1851, 1718, 1564,
    1395, 1215, 1030, 845,  665,  494,  337,  196,  74,   -28,  -109, -170, -211,
    -234, -241, -234, -217, -191, -160, -127, -94,  -64,  -38,  -18,  -6};

// RTTY: a band-pass with zero sum that passes both tones and rejects the centre.
inline constexpr CorrelatorCoefficients kRttyCoefficients = {
    0,   -33,  -91,  -96,  -25,  63,   91,   47,   0,    18,  91,   134,  86,
    -22, -91,  -66,  0,    4,    -91,  -196, -192, -56,  91,  108,  0,    -62,
    91,  417,  643,  480,  -91,  -740, -1024, -740, -91, 480, 643,  417,  91,
    -62, 0,    108,  91,   -56,  -192, -196, -91,  4,    0,   -66,  -91,  -22,
    86,  134,  91,   18,   0,    47,   91,   63,   -25,  -96, -91,  -33};

// clang-format on

}  // namespace vexa::engine
