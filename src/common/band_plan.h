// The amateur HF bands as Vexa knows them: where each band begins and ends and where its
// SSB, digital and SSTV activity lies. The band buttons, the frequency map, the logbook's
// band names and the worked-status tables all read this one table.
#pragma once

#include <array>
#include <cstdint>

namespace vexa {

// Frequencies in kHz; kNoSegment marks a segment the band does not have.
struct BandEntry {
    int lowEdge;
    int ssbStart;
    int digitalLow;
    int digitalHigh;
    int sstvLow;
    int sstvHigh;
    int highEdge;
    int metres;
};

inline constexpr int kNoSegment = 9999999;
inline constexpr int kBandCount = 9;

inline constexpr std::array<BandEntry, kBandCount> kBandPlan = {{
    {1810, 1838, 1842, 1850, kNoSegment, kNoSegment, 2000, 160},
    {3500, 3600, 3580, 3620, 3730, 3740, 3800, 80},
    {7000, 7040, 7035, 7045, 7035, 7045, 7100, 40},
    {10100, kNoSegment, 10140, 10150, kNoSegment, kNoSegment, 10150, 30},
    {14000, 14100, 14060, 14120, 14225, 14235, 14350, 20},
    {18068, 18110, 18100, 18110, kNoSegment, kNoSegment, 18168, 17},
    {21000, 21150, 21080, 21120, 21330, 21345, 21450, 15},
    {24890, 24930, 24920, 24930, kNoSegment, kNoSegment, 24990, 12},
    {28000, 28200, 28100, 28200, 28675, 28685, 29700, 10},
}};

// The index of the band whose edges (inclusive) hold `hz`, or -1. The comparison is unsigned,
// so a negative frequency is above every band.
int FindBand(int64_t hz) noexcept;

}  // namespace vexa
