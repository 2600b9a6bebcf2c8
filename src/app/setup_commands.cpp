#include "app/setup_commands.h"

#include <algorithm>
#include <utility>

#include "common/profile.h"
#include "rig/serial_device.h"

namespace vexa::app {

namespace {

// The fields the sheet shows just as the settings hold them.
constexpr std::pair<int SetupValues::*, int Settings::*> kSameFields[] = {
    {&SetupValues::port, &Settings::comPort},
    {&SetupValues::swap, &Settings::swapPttAndCw},
    {&SetupValues::side, &Settings::digiSide},
    {&SetupValues::icomAddr, &Settings::icomAddr},
    {&SetupValues::type, &Settings::type},
    {&SetupValues::inverted, &Settings::averageInverted},
    {&SetupValues::showAverage, &Settings::showAverage},
    {&SetupValues::soundFq, &Settings::soundFq},
    {&SetupValues::startFq, &Settings::startFq},
    {&SetupValues::thickLine, &Settings::averageThickLine},
    {&SetupValues::zoom, &Settings::zoom},
    {&SetupValues::wrap, &Settings::wrap},
    {&SetupValues::boldFont, &Settings::boldFont}};

}  // namespace

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
    for (const auto& [value, setting] : kSameFields) v.*value = s.*setting;
    v.station = s.station;
    v.speedIndex = speedIndexForBaud(m_rig.serialBaudRate());
    const Profile profile(m_globals.profileFile);
    for (int n = 1; n <= 4; ++n) v.comDevices[n - 1] = rig::serialDevicePath(n, profile);
    v.rigctld = s.rigctld;
    v.cwIdIndex = s.cwId - 1;
    v.largeScreen = s.largeScreen;
    return v;
}

bool SetupCommands::apply(const SetupValues& v)
{
    Settings& s = m_globals.settings;
    // A transmitter keyed over the line (CAT PTT) would stay on the air once it is closed.
    m_state.endTransmissions();
    m_rig.closeLink();

    // The link reads the device of its COM port from the profile, so the devices go there
    // first.
    bool written = writeDevices(v);
    for (const auto& [value, setting] : kSameFields) s.*setting = v.*value;
    s.station = v.station;
    s.rigctld = v.rigctld;
    // "ComSpeed" follows only a line that opened: after "None" or a failed opening the
    // rate that last worked stays.
    const int previousSpeed = s.comSpeed;
    s.comSpeed = 1200 << std::clamp(v.speedIndex, 0, 4);
    m_rig.openLink(rig::StopBitsRule::SettingsSheet);
    if (!m_rig.serialOpen()) s.comSpeed = previousSpeed;

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

    written = writeProfile() && written;
    if (!written) m_prompter.inform("Cannot write the settings to " + m_globals.profileFile.string(), "Vexa");

    m_rig.transceiver().PollTransceiver();
    if (m_country.showStation() && m_window.showMapPicture) m_window.showMapPicture();
    if (m_window.stationChanged) m_window.stationChanged();
    return rebuild;
}

// Only a changed device is written: an untouched profile keeps following the default.
bool SetupCommands::writeDevices(const SetupValues& v)
{
    if (m_globals.profileFile.empty()) return true;
    Profile profile(m_globals.profileFile);
    bool ok = true;
    for (int n = 1; n <= 4; ++n) {
        if (v.comDevices[n - 1] != rig::serialDevicePath(n, profile))
            ok = profile.writeString("TX1", rig::comDeviceKey(n), v.comDevices[n - 1]) && ok;
    }
    return ok;
}

bool SetupCommands::writeProfile()
{
    if (m_globals.profileFile.empty()) return true;
    Profile profile(m_globals.profileFile);
    const Settings& s = m_globals.settings;
    bool ok = s.writeIntegerKeys(profile);
    ok = s.writeStation(profile) && ok;
    ok = profile.writeString("TX1", "Rigctld", s.rigctld) && ok;
    return ok;
}

void SetupCommands::afterSheet(bool rebuild)
{
    m_globals.settings.recomputeSpectrumStartBin();
    if (m_window.showFrequency) m_window.showFrequency();
    if (m_window.forgetLookup) m_window.forgetLookup();
    if (m_window.applyBoldFont) m_window.applyBoldFont(m_globals.settings.boldFont != 0);
    if (rebuild && m_window.rebuild) m_window.rebuild();
}

}  // namespace vexa::app
