// Everything that outlives one main window: the layout to build next, the settings in
// memory, the station data and the state of the received-text flow. A layout switch
// rebuilds the window; none of this is lost.
#pragma once

#include <string>

#include "app/app_settings.h"
#include "app/main_window_template.h"
#include "app/receive_text_flow.h"
#include "app/station_data.h"

namespace vexa::app {

struct ApplicationGlobals {
    int mainWindowTemplate = kNormalTemplate;
    int operatingMode = 0;  // set to PSK31 by the window's initialisation
    AppSettings settings;
    StationData station;
    ReceiveTextFlow textFlow;
    bool receivePaused = false;
    std::string lastLookupCall;
    unsigned long tickCounter = 0;
};

}  // namespace vexa::app
