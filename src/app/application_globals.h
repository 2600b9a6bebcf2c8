// Everything that outlives one main window: the layout to build next, the settings in
// memory, the station data and the state of the received-text flow. A layout switch
// rebuilds the window; none of this is lost.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/country_data.h"
#include "app/logbook_data.h"
#include "app/main_window_template.h"
#include "app/receive_text_flow.h"
#include "app/settings.h"
#include "macros/macro_table.h"

namespace vexa::app {

// The text windows' contents (rich text as HTML) carried from a window to the one rebuilt in
// the other layout, so that a layout switch loses neither a contact being logged nor text
// received or still to be sent.
struct CarriedWindowTexts {
    std::string receive;
    std::string keyboard;
    std::string entry;
    int entryState = 0;  // log::entry_state bits
};

struct ApplicationGlobals {
    MainWindowTemplate mainWindowTemplate = MainWindowTemplate::Normal;
    std::filesystem::path profileFile;  // empty: no profile, every setting at its default
    Settings settings;                  // holds the station data too
    macros::MacroTable macros;          // the function-key texts
    ReceiveTextFlow textFlow;
    CountryData country;
    LogbookData logbook;
    std::optional<CarriedWindowTexts> carriedTexts;
    bool receivePaused = false;
    // Lines found before the first window (a chosen sound device that is gone): its receive
    // window shows them once.
    std::vector<std::string> startNotices;
    unsigned long tickCounter = 0;
};

}  // namespace vexa::app
