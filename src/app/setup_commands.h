// The Setup command: fills the settings sheet from what is in force, and when the operator
// confirms it reopens the transceiver link, takes the new values over, writes them to the
// profile and, after a layout change, has the window rebuilt. The sheet itself is the
// window's business (SetupWindow::runSheet); everything here runs without a screen.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/application_globals.h"
#include "app/command_table.h"
#include "app/country_commands.h"
#include "app/operating_state.h"
#include "app/transceiver_commands.h"
#include "common/ports.h"

namespace vexa::app {

// What the sheet's pages show and the operator edits.
struct SetupValues {
    // "Personal data"
    StationData station;
    // "Trcvr"
    int port = 0;  // 0 none, 1..4: COM n
    int swap = 0;  // "Swap CW/PTT"
    int side = 0;  // 0 USB, 1 LSB
    int icomAddr = 0;
    int speedIndex = 0;                     // 0..4: 1200 x 2^index baud
    int type = 0;                           // TransceiverType 0..5
    std::array<std::string, 4> comDevices;  // the device path of COM1..COM4
    std::string rigctld;                    // host:port of Hamlib's rigctld
    // "Spectrum"
    int inverted = 0;
    int showAverage = 0;
    int soundFq = 1000;  // Hz, 300..3000
    int startFq = 384;   // Hz, 0..2000
    int thickLine = 0;
    int zoom = 1;  // 0..2
    // "Misc"
    int cwIdIndex = 1;  // "CwId" - 1
    int wrap = 80;
    int largeScreen = 0;
    int boldFont = 0;
};

// How often the rate can be halved while above 1200, at most 4: 9600 -> 3, 3600 -> 2,
// 0 (a line never opened) -> 0.
int speedIndexForBaud(int baud) noexcept;

// What the Setup command needs from the window.
struct SetupWindow {
    // Runs the sheet on these values; the edited values after OK, nullopt after Cancel.
    std::function<std::optional<SetupValues>(const SetupValues&)> runSheet;
    std::function<void()> showFrequency;           // rewrites the frequency fields
    std::function<void(bool bold)> applyBoldFont;  // the four text windows' normal format
    std::function<void()> showMapPicture;          // the station map was redrawn
    std::function<void()> stationChanged;          // the call in the title
    std::function<void()> forgetLookup;            // the next tick repeats the lookup and alerts
    std::function<void()> rebuild;                 // ends the window for the other layout
};

class SetupCommands {
public:
    SetupCommands(ApplicationGlobals& globals, OperatingState& state, TransceiverCommands& rig,
                  CountryCommands& country, Prompter& prompter, SetupWindow window);

    // Setup (the "Setup" button and "&Setup" on the menu).
    void addCommands(CommandTable& table);
    void Setup();

    // The sheet's values from the settings in memory and the serial line.
    SetupValues currentValues() const;
    // A confirmed sheet. True when the window must be rebuilt in the other layout.
    bool apply(const SetupValues& values);
    // After OK and Cancel alike.
    void afterSheet(bool rebuild);

private:
    bool writeDevices(const SetupValues& values);
    bool writeProfile();

    ApplicationGlobals& m_globals;
    OperatingState& m_state;
    TransceiverCommands& m_rig;
    CountryCommands& m_country;
    Prompter& m_prompter;
    SetupWindow m_window;
};

}  // namespace vexa::app
