// The main window's command table: id -> handler. The window fills it with its own
// commands, and every feature adds its own from its file under app/ (see CMainWindow).
//
// A command id usually means the same whoever sends it, but the digit keys' mark commands
// share their numbers with buttons (Ctrl+3 and "Send" are both 1202, Alt+8 and "&Help"
// both 1217). So a command carries its origin, and a key's own command is registered
// apart with `accelerator()`; for a key it comes before the shared one.
#pragma once

#include <functional>
#include <map>

#include "app/control_id.h"

namespace vexa::app {

enum class CommandOrigin { Control, Accelerator };

class CommandTable {
public:
    using Handler = std::function<void()>;

    // The command of an id from any origin: a control, the menu or a key.
    Handler& operator[](ControlId id) { return m_shared[id]; }
    // The command a key sends under a number a control also uses.
    Handler& accelerator(ControlId id) { return m_accelerator[id]; }

    // The handler for an id from that origin; nullptr when nothing handles it.
    const Handler* find(ControlId id, CommandOrigin origin) const;
    bool contains(ControlId id, CommandOrigin origin) const { return find(id, origin) != nullptr; }
    // Runs the handler; false when nothing handles the id.
    bool run(ControlId id, CommandOrigin origin) const;

private:
    std::map<ControlId, Handler> m_shared;
    std::map<ControlId, Handler> m_accelerator;
};

}  // namespace vexa::app
