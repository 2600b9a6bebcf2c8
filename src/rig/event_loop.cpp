#include "rig/event_loop.h"

namespace vexa::rig {

void EventLoop::callAfter(int ms, std::function<void()> call)
{
    {
        std::lock_guard lock(m_lock);
        m_timers.emplace(Clock::now() + std::chrono::milliseconds(ms), std::move(call));
    }
    m_changed.notify_all();
}

void EventLoop::post(std::function<void()> call)
{
    {
        std::lock_guard lock(m_lock);
        m_posted.push_back(std::move(call));
    }
    m_changed.notify_all();
}

void EventLoop::quit()
{
    {
        std::lock_guard lock(m_lock);
        m_quit = true;
    }
    m_changed.notify_all();
}

bool EventLoop::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto until = Clock::now() + timeout;
    for (;;) {
        if (done && done()) return true;
        std::function<void()> call;
        {
            std::unique_lock lock(m_lock);
            for (;;) {
                if (m_quit) {
                    m_quit = false;
                    return done && done();
                }
                const auto now = Clock::now();
                if (!m_posted.empty()) {
                    call = std::move(m_posted.front());
                    m_posted.pop_front();
                    break;
                }
                if (!m_timers.empty() && m_timers.begin()->first <= now) {
                    call = std::move(m_timers.begin()->second);
                    m_timers.erase(m_timers.begin());
                    break;
                }
                if (now >= until) return false;
                auto wake = until;
                if (!m_timers.empty() && m_timers.begin()->first < wake) wake = m_timers.begin()->first;
                m_changed.wait_until(lock, wake);
            }
        }
        call();
    }
}

void EventLoop::runFor(std::chrono::milliseconds time)
{
    runUntil(nullptr, time);
}

}  // namespace vexa::rig
