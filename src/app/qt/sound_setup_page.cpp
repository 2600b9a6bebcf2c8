#include "app/qt/sound_setup_page.h"

#include "app/qt/main_window.h"
#include "app/qt/vexa_property_sheet.h"
#include "app/sound_settings.h"
#include "ui/sound_page.h"

namespace vexa::app::qt {

void addSoundPage(CVexaPropertySheet& sheet, CMainWindow& window, ApplicationGlobals& globals,
                  Prompter& prompter)
{
    ui::SoundPageSetup setup;
    setup.current = globals.settings.sound;
    if (engine::SoundDevices* devices = window.soundDevices()) {
        setup.inputDevices = devices->inputDeviceNames();
        setup.outputDevices = devices->outputDeviceNames();
    } else {
        // No card to choose from (the demo recording): the choice stays what it is.
        setup.inputDevices = {setup.current.inputDevice};
        setup.outputDevices = {setup.current.outputDevice};
    }
    setup.inputPeakDbfs = [&window] { return window.state().inputPeakDbfs(); };
    auto* page = new ui::CSoundPage(std::move(setup));
    page->setObjectName(QStringLiteral("soundPage"));
    sheet.addPage(page, QStringLiteral("Sound"), [page, &window, &globals, &prompter] {
        if (!applySoundChoice(page->chosen(), globals, window.state(), window.soundDevices()))
            prompter.inform("Cannot write the sound settings to " + globals.profileFile.string(), "Vexa");
    });
}

}  // namespace vexa::app::qt
