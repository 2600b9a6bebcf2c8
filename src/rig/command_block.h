// One command for the transceiver and the pause the radio needs after it. Pauses are
// given for 1200 Bd and shrink with the line speed: P / (baud / 1200) milliseconds.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vexa::rig {

struct CommandBlock {
    std::vector<uint8_t> bytes;  // may be empty: only the pause
    int pauseAt1200 = 0;         // ms

    static CommandBlock text(std::string_view s, int pause)
    {
        return {std::vector<uint8_t>(s.begin(), s.end()), pause};
    }
};

using Commands = std::vector<CommandBlock>;

// Integer divisions, the divisor at least 1: 300 at 1200 Bd, 37 at 9600 Bd.
constexpr int pauseMs(int pauseAt1200, int baud) noexcept
{
    const int steps = baud / 1200;
    return pauseAt1200 / (steps < 1 ? 1 : steps);
}

}  // namespace vexa::rig
