// The "Sound" settings at work: the chosen devices checked against what the system has
// (a device that is gone falls back to "default", and the operator reads one line naming
// it), and the confirmed "Sound" page applied on the window's thread — the profile written,
// the transmit level set, the input reopened on the new device.
#pragma once

#include <string>
#include <vector>

#include "app/application_globals.h"
#include "app/operating_state.h"
#include "engine/audio/sound_devices.h"

namespace vexa::app {

// Replaces each name in `choice` that `devices` does not have by "default". Returns the
// lines for the receive window that name what was replaced (none when nothing was).
std::vector<std::string> resolveSoundDevices(const engine::SoundDevices& devices,
                                             engine::SoundChoice& choice);

// The confirmed "Sound" page. `devices` null: no real sound card (the demo recording, a
// file), only the transmit level and the profile change. False when the profile could not
// be written (everything else is applied all the same).
[[nodiscard]] bool applySoundChoice(const engine::SoundChoice& chosen, ApplicationGlobals& globals,
                                    OperatingState& state, engine::SoundDevices* devices);

}  // namespace vexa::app
