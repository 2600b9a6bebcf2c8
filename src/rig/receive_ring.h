// The channel's receive ring: the reader thread stores the bytes it reads, the GUI thread
// takes them all at once. One lock guards both indexes; it is held only while bytes move.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace vexa::rig {

class ReceiveRing {
public:
    static constexpr std::size_t kSize = 16384;

    // Any thread. When the unread bytes would fill the ring, the oldest byte is dropped
    // (the newest are the ones a protocol can still use) and the overrun count grows.
    void store(std::span<const uint8_t> bytes);
    // Any thread: every waiting byte, zero bytes included; empty when nothing waits.
    std::vector<uint8_t> take();
    std::size_t waiting() const;
    int overrunCount() const;
    void clear();

private:
    mutable std::mutex m_lock;
    std::array<uint8_t, kSize> m_bytes{};
    std::size_t m_write = 0;
    std::size_t m_read = 0;
    int m_overruns = 0;
};

}  // namespace vexa::rig
