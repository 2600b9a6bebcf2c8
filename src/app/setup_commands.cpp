#include "app/setup_commands.h"

#include <algorithm>
#include <utility>

#include "common/profile.h"
#include "rig/serial_device.h"

namespace vexa::app {

int speedIndexForBaud(int baud) noexcept
{
    int index = 0;
    while (baud > 1200 && index < 4) {
        baud /= 2;
        ++index;
    }
    return index;
}

SetupCommands::SetupCommands(ApplicationGlobals& globals, OperatingState& state, TransceiverCommands& rig,
                             CountryCommands& country, Prompter& prompter, SetupWindow window)
    : m_globals(globals),
      m_state(state),
      m_rig(rig),
      m_country(country),
      m_prompter(prompter),
      m_window(std::move(window))
{
}

void SetupCommands::addCommands(CommandTable& table)
{
    table[ControlId::Setup] = [this] { Setup(); };
}

void SetupCommands::Setup()
{
    const std::optional<SetupValues> edited = m_window.runSheet(currentValues());
    afterSheet(edited ? apply(*edited) : false);
}

SetupValues SetupCommands::currentValues() const
{
    const Settings& s = m_globals.settings;
    SetupValues v;
    v.station = s.station;
    v.port = s.comPort;
    v.swap = s.swapPttAndCw;
    v.side = s.digiSide;
    v.icomAddr = s.icomAddr;
    v.speedIndex = speedIndexForBaud(m_rig.serialBaudRate());
    v.type = s.type;
    const Profile profile(m_globals.profileFile);
    for (int n = 1; n <= 4; ++n) v.comDevices[n - 1] = rig::serialDevicePath(n, profile);
    v.rigctld = s.rigctld;
    v.inverted = s.averageInverted;
    v.showAverage = s.showAverage;
    v.soundFq = s.soundFq;
    v.startFq = s.startFq;
    v.thickLine = s.averageThickLine;
    v.zoom = s.zoom;
    v.cwIdIndex = s.cwId - 1;
    v.wrap = s.wrap;
    v.largeScreen = s.largeScreen;
    v.boldFont = s.boldFont;
    return v;
}

bool SetupCommands::apply(const SetupValues& v)
{
    Settings& s = m_globals.settings;
    m_rig.closeLink();

    // The link reads the device of its COM port from the profile, so the devices go there
    // first. Only a changed one is written: an untouched profile keeps following the default.
    if (!m_globals.profileFile.empty()) {
        Profile profile(m_globals.profileFile);
        bool ok = true;
        for (int n = 1; n <= 4; ++n) {
            if (v.comDevices[n - 1] != rig::serialDevicePath(n, profile))
                ok = profile.writeString("TX1", rig::comDeviceKey(n), v.comDevices[n - 1]) && ok;
        }
        if (!ok) m_prompter.inform("Cannot write the serial devices to " + profile.file().string(), "Vexa");
    }
    s.type = v.type;
    s.comPort = v.port;
    s.swapPttAndCw = v.swap;
    s.digiSide = v.side;
    s.icomAddr = v.icomAddr;
    s.rigctld = v.rigctld;
    // "ComSpeed" follows only a line that opened: after "None" or a failed opening the
    // rate that last worked stays.
    const int previousSpeed = s.comSpeed;
    s.comSpeed = 1200 << std::clamp(v.speedIndex, 0, 4);
    m_rig.openLink(rig::StopBitsRule::SettingsSheet);
    if (!m_rig.serialOpen()) s.comSpeed = previousSpeed;

    s.station = v.station;
    s.soundFq = v.soundFq;
    s.startFq = v.startFq;
    s.averageInverted = v.inverted;
    s.showAverage = v.showAverage;
    s.averageThickLine = v.thickLine;
    s.zoom = v.zoom;
    s.wrap = v.wrap;
    s.boldFont = v.boldFont;
    const bool rebuild = (v.largeScreen != 0) != (s.largeScreen != 0);
    if (rebuild) {
        s.largeScreen = v.largeScreen;
        m_globals.mainWindowTemplate =
            v.largeScreen != 0 ? MainWindowTemplate::Large : MainWindowTemplate::Normal;
    }
    s.cwId = v.cwIdIndex + 1;
    s.clampToSheetRanges();
    // The call for the CW identification, the RTTY polarity from "DigiSide" and "inv", the wrap.
    m_state.applySettings();

    if (!writeProfile(v))
        m_prompter.inform("Cannot write the settings to " + m_globals.profileFile.string(), "Vexa");

    m_rig.transceiver().PollTransceiver();
    if (m_country.showStation() && m_window.showMapPicture) m_window.showMapPicture();
    if (m_window.stationChanged) m_window.stationChanged();
    return rebuild;
}

bool SetupCommands::writeProfile(const SetupValues& v)
{
    if (m_globals.profileFile.empty()) return true;
    Profile profile(m_globals.profileFile);
    const Settings& s = m_globals.settings;
    bool ok = s.writeIntegerKeys(profile);
    ok = s.writeStation(profile) && ok;
    ok = profile.writeString("TX1", "Rigctld", v.rigctld) && ok;
    return ok;
}

void SetupCommands::afterSheet(bool rebuild)
{
    m_globals.settings.recomputeSpectrumStartBin();
    if (m_window.showFrequency) m_window.showFrequency();
    m_country.forgetLookup();
    if (m_window.applyBoldFont) m_window.applyBoldFont(m_globals.settings.boldFont != 0);
    if (rebuild && m_window.rebuild) m_window.rebuild();
}

}  // namespace vexa::app
