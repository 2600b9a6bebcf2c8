// The receiving half both real channels share: a reader thread of their own stores what
// arrives in the receive ring and wakes the owner, once per burst of bytes (not again until
// the owner has taken them) and always when the link is lost or back.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>

#include "rig/byte_channel.h"
#include "rig/receive_ring.h"

namespace vexa::rig {

class ReaderChannel : public ByteChannel {
public:
    static constexpr int kWriteTimeoutMs = 1000;  // the bound of a Write

    ReaderChannel() = default;
    // A channel owns its device and its reader thread.
    ReaderChannel(const ReaderChannel&) = delete;
    ReaderChannel& operator=(const ReaderChannel&) = delete;

    std::vector<uint8_t> TakeReceived() final;
    void SetWake(std::function<void()> wake) final;

    int overrunCount() const { return m_ring.overrunCount(); }
    std::size_t waitingBytes() const { return m_ring.waiting(); }

protected:
    // The reader thread's side.
    void store(std::span<const uint8_t> bytes) { m_ring.store(bytes); }
    // always: wake even when a wake-up is still pending (the link's state changed).
    void wake(bool always);
    // Before a new connection: nothing waits and nothing is pending.
    void clearReceived();

private:
    ReceiveRing m_ring;
    std::atomic<bool> m_wakePending{false};
    std::mutex m_wakeLock;
    std::function<void()> m_wake;
};

}  // namespace vexa::rig
