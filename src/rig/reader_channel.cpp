// The receive ring and the owner's wake-up of the serial and rigctld channels.
#include "rig/reader_channel.h"

namespace vexa::rig {

std::vector<uint8_t> ReaderChannel::TakeReceived()
{
    m_wakePending = false;
    return m_ring.take();
}

void ReaderChannel::SetWake(std::function<void()> wake)
{
    std::lock_guard lock(m_wakeLock);
    m_wake = std::move(wake);
}

void ReaderChannel::wake(bool always)
{
    if (!always && m_wakePending.exchange(true)) return;
    std::lock_guard lock(m_wakeLock);
    if (m_wake) m_wake();
}

void ReaderChannel::clearReceived()
{
    m_ring.clear();
    m_wakePending = false;
}

}  // namespace vexa::rig
