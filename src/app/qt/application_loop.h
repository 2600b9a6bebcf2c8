// The application loop: build the main window for the current layout, run it, and build
// it again when it ended asking for the other layout; return when it closed.
#pragma once

#include <functional>

#include "app/application_globals.h"
#include "app/qt/main_window.h"

namespace vexa::app::qt {

// `onWindowBuilt` (may be empty) sees every window right after construction, before it
// initialises and runs: the place for tests and for wiring the sound card.
void runApplicationLoop(ApplicationGlobals& globals, const MainWindowServices& services,
                        const std::function<void(CMainWindow&)>& onWindowBuilt = {});

}  // namespace vexa::app::qt
