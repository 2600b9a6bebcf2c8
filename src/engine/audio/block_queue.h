// One direction of a sound card backend as the client sees it: the device handle, the
// blocks queued to it, the notification and the worker thread that fills or drains them.
// The PortAudio and the file backend share it, so the block protocol (prepared, queued,
// done, returned by a reset) is written once. The caller holds its backend's mutex for
// every member function; notifyEach is called without it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "engine/audio/sound_card.h"

namespace vexa::engine {

// The block has left the queue and is back with the client.
inline void markReturned(WaveHeader& h) noexcept
{
    h.flags = (h.flags & ~WaveHeader::kInQueue) | WaveHeader::kDone;
}

struct BlockQueue {
    WaveDevice device = 0;
    WaveBackend::Notify notify;
    std::deque<WaveHeader*> queue;
    bool running = false;  // input: recording; output: not paused
    bool failed = false;   // the device stopped working (unplugged, disk full): takes no blocks
    bool quit = false;
    uint64_t resets = 0;  // output: counts the resets, so the worker sees its block was returned
    std::thread worker;

    bool owns(WaveDevice d) const noexcept { return d != 0 && d == device; }

    // Each false when d is not this device or the block is in the wrong state.
    bool prepare(WaveDevice d, WaveHeader& h) noexcept;
    bool enqueue(WaveDevice d, WaveHeader& h);
    bool unprepare(WaveDevice d, WaveHeader& h) noexcept;

    // Empties the queue, marking every block returned; oldest first.
    std::vector<WaveHeader*> takeAll();

    // The device has failed: from now on blocks are refused, and every queued one is handed
    // back to the client (the caller notifies, without the lock), so that nothing waits
    // for blocks a dead device will never return.
    std::vector<WaveHeader*> fail();

    // Ends the worker (unlocking while it finishes). A client may close the device from
    // inside a notification, i.e. on the worker itself: then it is detached instead.
    void stopWorker(std::condition_variable& wake, std::unique_lock<std::mutex>& lock);

    // Hands the block at the head of the queue, already removed and marked, to the client:
    // unlocks for the call and locks again.
    void deliver(WaveMessage message, WaveHeader* h, std::unique_lock<std::mutex>& lock);
};

void notifyEach(const WaveBackend::Notify& notify, WaveMessage message, WaveDevice device,
                std::span<WaveHeader* const> blocks);

}  // namespace vexa::engine
