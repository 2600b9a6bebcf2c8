// Icom CI-V framing: the parser cuts frames out of the byte stream (FE FE ... FD) and the
// FrameDispatcher reads them. Frames are handed on without preamble and end byte:
// destination, source, command, data.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "rig/protocol_sink.h"

namespace vexa::rig {

inline constexpr uint8_t kCivTransceiver = 0x04;
inline constexpr uint8_t kCivController = 0xE0;
inline constexpr uint8_t kCivBroadcast = 0x00;

class CivParser {
public:
    using FrameHandler = std::function<void(std::span<const uint8_t> frame)>;

    void feed(uint8_t byte, const FrameHandler& onFrame);
    void reset() { m_state = State::Start; }

private:
    // Start drops the very first byte: it may be the tail of a frame that began before we
    // listened.
    enum class State { Start, Hunt, Preamble, Collect };
    State m_state = State::Start;
    std::vector<uint8_t> m_frame;
};

// Packed-BCD digit pairs from frame byte 3 on, least significant pair first.
long long decodeCivFrequency(std::span<const uint8_t> frame);

// Broadcasts and replies from our transceiver update the sink; the echo of our own command
// is ignored; anything else, and a refusal (NG), is printed.
void FrameDispatcher(std::span<const uint8_t> frame, ProtocolSink& sink);

}  // namespace vexa::rig
