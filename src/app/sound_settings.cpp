#include "app/sound_settings.h"

namespace vexa::app {
namespace {

std::string fallbackLine(const char* direction, const std::string& name)
{
    return std::string("Sound ") + direction + " device \"" + name + "\" is not there; using \"" +
           engine::kDefaultSoundDevice + "\"";
}

}  // namespace

std::vector<std::string> resolveSoundDevices(const engine::SoundDevices& devices, engine::SoundChoice& choice)
{
    std::vector<std::string> lines;
    if (choice.inputDevice != engine::kDefaultSoundDevice && !devices.hasInputDevice(choice.inputDevice)) {
        lines.push_back(fallbackLine("input", choice.inputDevice));
        choice.inputDevice = engine::kDefaultSoundDevice;
    }
    if (choice.outputDevice != engine::kDefaultSoundDevice && !devices.hasOutputDevice(choice.outputDevice)) {
        lines.push_back(fallbackLine("output", choice.outputDevice));
        choice.outputDevice = engine::kDefaultSoundDevice;
    }
    return lines;
}

bool applySoundChoice(const engine::SoundChoice& chosen, ApplicationGlobals& globals, OperatingState& state,
                      engine::SoundDevices* devices)
{
    Settings& settings = globals.settings;
    settings.sound = chosen;
    settings.clampToSheetRanges();
    bool saved = true;
    if (!globals.profileFile.empty()) {
        Profile profile(globals.profileFile);
        saved = settings.writeSound(profile);
    }
    state.applySettings();
    if (devices != nullptr) {
        engine::SoundChoice used = settings.sound;
        for (const std::string& line : resolveSoundDevices(*devices, used)) state.showNotice(line);
        devices->selectDevices(used.inputDevice, used.outputDevice);
        // A device that is listed but will not record (another program holds it, say)
        // leaves the station deaf: the operator must read why.
        if (!state.reopenInput())
            state.showNotice("Sound input device \"" + used.inputDevice + "\" cannot be opened");
    }
    return saved;
}

}  // namespace vexa::app
