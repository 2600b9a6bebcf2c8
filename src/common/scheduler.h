// Deferred calls on the GUI thread: the pacing between transceiver commands and the
// once-a-second poll wait on this instead of sleeping, so audio keeps flowing meanwhile.
// The window implements it with single-shot timers; tools and tests with a plain loop.
#pragma once

#include <functional>

namespace vexa {

class Scheduler {
public:
    virtual ~Scheduler() = default;
    // Runs `call` on the GUI thread after `ms` milliseconds (0: as soon as the thread is free).
    virtual void callAfter(int ms, std::function<void()> call) = 0;
};

}  // namespace vexa
