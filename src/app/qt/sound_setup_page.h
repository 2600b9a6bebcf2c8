// The "Sound" page on the Setup sheet: the devices the sound card offers, the live input
// meter of the window's receiver, and, once the sheet is confirmed, the choice applied.
#pragma once

#include "app/application_globals.h"
#include "common/ports.h"

namespace vexa::app::qt {

class CMainWindow;
class CVexaPropertySheet;

void addSoundPage(CVexaPropertySheet& sheet, CMainWindow& window, ApplicationGlobals& globals,
                  Prompter& prompter);

}  // namespace vexa::app::qt
