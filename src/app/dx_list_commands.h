// The DX list of the main window: cluster spots pasted to the clipboard, listed in place of
// the receive and log windows while shown, read again once a second, and a chosen spot
// tuned in the mode the band plan suggests or marked on the frequency map. Qt-free; the
// window lends the list box, the clipboard and the tuning through DxListWindow.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "common/operating_mode.h"

namespace vexa::app {

struct DxListWindow {
    std::function<void(bool listShown)> showList;  // the list, or the receive and log windows
    // The clipboard's text; nullopt when it has none or the main window is not the active
    // window with the focus (another program's clipboard work is none of ours).
    std::function<std::optional<std::string>()> clipboardText;
    std::function<void(const std::vector<std::string>& lines)> setLines;  // the list box's items
    std::function<void(OperatingMode mode)> setOperatingMode;
    std::function<void(int signalHz)> tune;
    std::function<void(std::string call)> setSelectedCall;
    std::function<void()> markHere;  // the mark command (labelled with the selected call)
    std::function<void()> focusEntryLine;
};

class DxListCommands {
public:
    explicit DxListCommands(DxListWindow window) : m_window(std::move(window)) {}

    // "DXC" (1145) and its key (1332).
    void addCommands(CommandTable& table);

    void toggle();
    bool shown() const noexcept { return m_shown; }
    // The clock tick's once-a-second step.
    void everySecond();
    // Reads the clipboard's spots; true when the list was rebuilt.
    bool readClipboard();
    // The list box's selection moved to `row`: tunes to that spot.
    void select(int row);
    // A double click on `row`: marks the spot, then the focus goes to the entry line.
    void doubleClick(int row);

    const std::vector<std::string>& spots() const noexcept { return m_spots; }

private:
    DxListWindow m_window;
    bool m_shown = false;
    std::vector<std::string> m_spots;
};

}  // namespace vexa::app
