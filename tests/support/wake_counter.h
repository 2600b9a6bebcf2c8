// Stands in for the GUI thread's queued call: counts the channel's notifications and lets
// a test wait for them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vexa::test {

class WakeCounter {
public:
    std::function<void()> wake()
    {
        return [this] {
            std::lock_guard lock(m_lock);
            ++m_count;
            m_changed.notify_all();
        };
    }
    int count() const
    {
        std::lock_guard lock(m_lock);
        return m_count;
    }
    bool waitFor(int count, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] { return m_count >= count; });
    }

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    int m_count = 0;
};

// Polls `done` until it holds or the timeout passes: for state another thread changes.
template <typename Predicate>
bool eventually(Predicate done, std::chrono::milliseconds timeout = std::chrono::seconds(5))
{
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace vexa::test
