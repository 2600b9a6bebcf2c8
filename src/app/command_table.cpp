// Dispatch of the main window's commands by id and origin.
#include "app/command_table.h"

namespace vexa::app {

const CommandTable::Handler* CommandTable::find(ControlId id, CommandOrigin origin) const
{
    if (origin == CommandOrigin::Accelerator) {
        if (const auto it = m_accelerator.find(id); it != m_accelerator.end() && it->second)
            return &it->second;
    }
    const auto it = m_shared.find(id);
    return it != m_shared.end() && it->second ? &it->second : nullptr;
}

bool CommandTable::run(ControlId id, CommandOrigin origin) const
{
    const Handler* handler = find(id, origin);
    if (handler == nullptr) return false;
    (*handler)();
    return true;
}

}  // namespace vexa::app
