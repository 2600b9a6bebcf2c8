// The input level meter: the peak of the latest received block in dBFS, so the operator can
// set the radio's audio output to the card without guessing. Measured on the thread that
// dispatches the blocks; the settings page only reads the result.
#pragma once

#include <cstdint>
#include <span>

namespace vexa::engine {

class InputLevelMeter {
public:
    // What an empty or silent block reads: below anything a 16-bit card can show.
    static constexpr double kFloorDbfs = -96.0;

    void measure(std::span<const int16_t> block) noexcept;
    // Back to silence, e.g. when the input closes, so an old reading does not linger.
    void reset() noexcept { m_peak = 0; }
    int peak() const noexcept { return m_peak; }  // 0..32768
    double peakDbfs() const noexcept;

private:
    int m_peak = 0;
};

// 20 log10(peak / 32768), never below kFloorDbfs.
double peakToDbfs(int peak) noexcept;

}  // namespace vexa::engine
