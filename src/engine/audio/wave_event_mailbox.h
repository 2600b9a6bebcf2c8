// The hand-over of sound-card events from the backends' threads to the GUI thread: the
// backend thread posts into a locked queue and, when the queue was empty, calls `wake`,
// which the application maps to a queued call on the GUI thread; that call takes the
// events waiting and handles them in order. The lock, not the toolkit's event queue, is what orders the
// block's samples before their reading, so the hand-over is plain to a thread checker.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "engine/audio/wave_header.h"

namespace vexa::engine {

class WaveEventMailbox {
public:
    explicit WaveEventMailbox(std::function<void()> wake) : m_wake(std::move(wake)) {}

    // Any thread.
    void post(const WaveEvent& event)
    {
        bool wasEmpty = false;
        {
            std::lock_guard lock(m_mutex);
            wasEmpty = m_events.empty();
            m_events.push_back(event);
        }
        if (wasEmpty && m_wake) m_wake();
    }

    // The receiving thread: every event waiting, oldest first. Events posted while these
    // are handled wake the receiver again, so a device that delivers as fast as its
    // blocks are requeued (a file read without pacing) cannot hold the receiving thread
    // in one endless call.
    std::deque<WaveEvent> takeAll()
    {
        std::deque<WaveEvent> taken;
        std::lock_guard lock(m_mutex);
        taken.swap(m_events);
        return taken;
    }

private:
    std::function<void()> m_wake;
    std::mutex m_mutex;
    std::deque<WaveEvent> m_events;
};

}  // namespace vexa::engine
