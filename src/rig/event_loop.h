// A small event loop for programs without a window (vexa-rig, the tests): one thread runs
// the deferred calls and the calls other threads post, as the window's thread would.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "common/scheduler.h"

namespace vexa::rig {

class EventLoop final : public Scheduler {
public:
    using Clock = std::chrono::steady_clock;

    void callAfter(int ms, std::function<void()> call) override;
    // Any thread: `call` runs on the loop's thread at its next turn.
    void post(std::function<void()> call);
    // Runs calls until `done` holds (tested after every call) or the timeout passes;
    // returns whether `done` held.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Runs calls for the given time.
    void runFor(std::chrono::milliseconds time);
    // Any thread: makes a running runUntil/runFor return at once.
    void quit();

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_posted;
    std::multimap<Clock::time_point, std::function<void()>> m_timers;
    bool m_quit = false;
};

}  // namespace vexa::rig
