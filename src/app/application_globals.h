// Everything that outlives one main window: the layout to build next, the settings in
// memory, the station data and the state of the received-text flow. A layout switch
// rebuilds the window; none of this is lost.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/country_data.h"
#include "app/logbook_data.h"
#include "app/main_window_template.h"
#include "app/receive_text_flow.h"
#include "app/settings.h"
#include "macros/macro_table.h"

namespace vexa::app {

struct ApplicationGlobals {
    MainWindowTemplate mainWindowTemplate = MainWindowTemplate::Normal;
    std::filesystem::path profileFile;  // empty: no profile, every setting at its default
    Settings settings;                  // holds the station data too
    macros::MacroTable macros;          // the function-key texts
    ReceiveTextFlow textFlow;
    CountryData country;
    LogbookData logbook;
    bool receivePaused = false;
    // Lines found before the first window (a chosen sound device that is gone): its receive
    // window shows them once.
    std::vector<std::string> startNotices;
    unsigned long tickCounter = 0;
};

}  // namespace vexa::app
