// The country side of the main window: reading the country file and the worked-status cache
// at start and writing the cache at close, the Info command, and the station map with the
// beam line and note for the call being entered. Qt-free; the window shows picture() and
// overlay() on the map picture when tick() or showStation() say it changed.
#pragma once

#include <optional>
#include <string>

#include "app/command_table.h"
#include "app/country_data.h"
#include "app/settings.h"
#include "common/ports.h"
#include "country/map_overlay.h"
#include "display/great_circle_map.h"

namespace vexa::app {

class CountryCommands {
public:
    CountryCommands(CountryData& data, const StationData& station, const TextWindow& entryLine,
                    Prompter& prompter);

    // Info (button and Alt+F11).
    void addCommands(CommandTable& table);

    // Start-up: the country file (the data directory's "cty.dat", else Debian's) and "qcty.dat",
    // once per run. The working directory is the data directory.
    void load();
    // Close: writes "qcty.dat" when a country file was loaded. False when it could not be written.
    [[nodiscard]] bool save();

    // Draws the map for the station position; true when the picture changed.
    bool showStation();
    // The clock tick: looks up `selectedCall` (a spot chosen in the DX list), or the entry
    // line's first word when none is, when it changed and the application has the focus;
    // true when the picture changed. Without the focus the last call is forgotten, so that
    // the lookup runs again when the focus returns.
    bool tick(bool applicationHasFocus, const std::string& selectedCall = {});
    // Makes the next tick look the call up again (after dialogs that may have changed it).
    void forgetLookup() noexcept { m_lastLookupCall.reset(); }

    // The map with the beam line, in the palette indices of display/great_circle_map.h.
    const display::IndexedImage& picture() const noexcept { return m_picture; }
    const std::optional<country::MapOverlay>& overlay() const noexcept { return m_overlay; }

private:
    void compose();

    CountryData& m_data;
    const StationData& m_station;
    const TextWindow& m_entryLine;
    Prompter& m_prompter;
    display::GreatCircleMap m_map;
    display::IndexedImage m_picture;
    std::optional<country::MapOverlay> m_overlay;
    std::optional<std::string> m_lastLookupCall;
};

}  // namespace vexa::app
