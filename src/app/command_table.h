// The main window's command table: id -> handler. The window fills it with its own
// commands, and every feature adds its own from its file under app/ (see CMainWindow).
#pragma once

#include <functional>
#include <map>

#include "app/control_id.h"

namespace vexa::app {

using CommandTable = std::map<ControlId, std::function<void()>>;

}  // namespace vexa::app
