// Collects the sound card's notifications (sent from a backend thread) so that a test can
// take them one at a time on its own thread, as the GUI thread does with posted events.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "engine/audio/wave_header.h"

namespace vexa::test {

class WaveEventQueue {
public:
    void push(const engine::WaveEvent& e)
    {
        {
            std::lock_guard lock(m_mutex);
            m_events.push_back(e);
        }
        m_cv.notify_all();
    }

    std::optional<engine::WaveEvent> pop(std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(m_mutex);
        if (!m_cv.wait_for(lock, timeout, [this] { return !m_events.empty(); })) return std::nullopt;
        engine::WaveEvent e = m_events.front();
        m_events.pop_front();
        return e;
    }

    size_t size() const
    {
        std::lock_guard lock(m_mutex);
        return m_events.size();
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<engine::WaveEvent> m_events;
};

}  // namespace vexa::test
