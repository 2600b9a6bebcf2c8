// Vexa's entry point: command line, data directory, then the main window loop.
#include <cstdio>
#include <string_view>
#include <vector>

#include <QApplication>

#include "app/app_paths.h"
#include "app/application_globals.h"
#include "app/command_line.h"
#include "app/qt/app_icon.h"
#include "app/qt/application_loop.h"
#include "app/sound_backend.h"
#include "common/profile.h"
#include "common/version.h"

int main(int argc, char** argv)
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    const vexa::app::CommandLineResult cmd = vexa::app::parseCommandLine(args);
    if (!cmd.ok()) {
        std::fprintf(stderr, "%s\n", cmd.error.c_str());  // the message names the program
        return 2;
    }
    if (cmd.options.help) {
        std::fputs(vexa::app::usageText().c_str(), stdout);
        return 0;
    }
    if (cmd.options.version) {
        std::printf("%.*s\n", static_cast<int>(vexa::kVersionString.size()), vexa::kVersionString.data());
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vexa"));
    // Wayland compositors match the window to the menu entry, and so to its icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("vexa"));
    QApplication::setWindowIcon(vexa::app::qt::applicationIcon());

    const auto data =
        vexa::app::enterDataDirectory(cmd.options.dataDir ? std::filesystem::path(*cmd.options.dataDir)
                                                          : vexa::app::defaultDataDirectory());
    if (!data.ok()) {
        std::fprintf(stderr, "vexa: %s\n", data.error.c_str());
        return 1;
    }

    for (const std::string& error :
         vexa::app::copyDefaultFiles(data.directory, vexa::app::executableDirectory()))
        std::fprintf(stderr, "vexa: %s\n", error.c_str());

    // Lives as long as the application: a rebuilt window finds it as the old one left it.
    vexa::app::ApplicationGlobals globals;
    globals.profileFile = vexa::app::profilePath();

    // The sound card outlives the windows too, so a layout switch does not restart the demo.
    vexa::app::Settings soundSettings;
    soundSettings.readSound(vexa::Profile(globals.profileFile));
    vexa::app::SoundBackendChoice sound =
        vexa::app::chooseSoundBackend(cmd.options.demo, soundSettings.sound,
                                      vexa::app::demoRecordingPath(vexa::app::executableDirectory()));
    if (!sound.notice.empty()) std::fprintf(stderr, "vexa: %s\n", sound.notice.c_str());
    globals.startNotices = sound.fallbacks;

    vexa::app::qt::MainWindowServices services;
    services.sound = sound.backend.get();
    services.soundDevices = sound.devices;
    vexa::app::qt::runApplicationLoop(globals, services);
    return 0;
}
