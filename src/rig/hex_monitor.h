// The hex monitor: received bytes as hexadecimal text for the entry line, twenty to a
// line, with the port number whenever another port speaks or the line was quiet a while.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace vexa::rig {

class HexMonitor {
public:
    using Clock = std::chrono::steady_clock;
    // Three ticks of the 55 ms clock without bytes start a new header.
    static constexpr auto kQuiet = std::chrono::milliseconds(165);
    static constexpr int kBytesPerLine = 20;

    // The text for one notification; also when no bytes came (then it may be empty).
    std::string format(int port, std::span<const uint8_t> bytes, Clock::time_point now);

private:
    int m_lastPort = -1;
    int m_column = 0;
    Clock::time_point m_last{};
};

}  // namespace vexa::rig
