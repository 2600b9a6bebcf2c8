// The Scheduler on Qt's event loop: single-shot timers owned by a context object, so that no
// call runs after the window that owns them is gone. Also the queued call the serial reader
// thread's notification becomes.
#pragma once

#include <functional>

#include <QObject>

#include "common/scheduler.h"

namespace vexa::app::qt {

class QtScheduler final : public Scheduler {
public:
    explicit QtScheduler(QObject& context) : m_context(context) {}
    void callAfter(int ms, std::function<void()> call) override;
    // Any thread: runs `call` on the context's thread at its next turn.
    void post(std::function<void()> call);

private:
    QObject& m_context;
};

}  // namespace vexa::app::qt
