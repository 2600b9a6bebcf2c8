#include "rig/receive_ring.h"

namespace vexa::rig {

void ReceiveRing::store(std::span<const uint8_t> bytes)
{
    std::lock_guard lock(m_lock);
    for (const uint8_t b : bytes) {
        m_bytes[m_write] = b;
        m_write = (m_write + 1) % kSize;
        // Equal indexes mean "empty", so a full ring has to give up its oldest byte rather
        // than lose all of them at once.
        if (m_write == m_read) {
            m_read = (m_read + 1) % kSize;
            ++m_overruns;
        }
    }
}

std::vector<uint8_t> ReceiveRing::take()
{
    std::lock_guard lock(m_lock);
    std::vector<uint8_t> out;
    out.reserve((m_write + kSize - m_read) % kSize);
    while (m_read != m_write) {
        out.push_back(m_bytes[m_read]);
        m_read = (m_read + 1) % kSize;
    }
    return out;
}

std::size_t ReceiveRing::waiting() const
{
    std::lock_guard lock(m_lock);
    return (m_write + kSize - m_read) % kSize;
}

int ReceiveRing::overrunCount() const
{
    std::lock_guard lock(m_lock);
    return m_overruns;
}

void ReceiveRing::clear()
{
    std::lock_guard lock(m_lock);
    m_write = m_read = 0;
    m_overruns = 0;
}

}  // namespace vexa::rig
