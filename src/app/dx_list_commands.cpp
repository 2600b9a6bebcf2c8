// The DX list's commands, the clipboard reading and the tuning to a spot.
#include "app/dx_list_commands.h"

#include "app/control_id.h"
#include "rig/dx_spot.h"

namespace vexa::app {

void DxListCommands::addCommands(CommandTable& table)
{
    table[ControlId::Dxc] = table[ControlId::DxcKey] = [this] { toggle(); };
}

void DxListCommands::toggle()
{
    m_shown = !m_shown;
    if (m_window.showList) m_window.showList(m_shown);
    if (m_shown) (void)readClipboard();
}

void DxListCommands::everySecond()
{
    if (m_shown) (void)readClipboard();
}

bool DxListCommands::readClipboard()
{
    const std::optional<std::string> text = m_window.clipboardText ? m_window.clipboardText() : std::nullopt;
    if (!text) return false;
    std::vector<std::string> spots;
    std::size_t from = 0;
    while (from < text->size()) {
        std::size_t to = text->find('\n', from);
        if (to == std::string::npos) to = text->size();
        std::string line = text->substr(from, to - from);
        from = to + 1;
        while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.pop_back();
        if (!rig::ParseSpotLine(line)) continue;
        // The cluster output the list already shows: the clipboard has nothing new, and
        // rebuilding would lose the operator's place in the list.
        if (spots.empty() && !m_spots.empty() && line == m_spots.front()) return false;
        spots.push_back(std::move(line));
    }
    if (spots.empty()) return false;
    m_spots = std::move(spots);
    if (m_window.setLines) m_window.setLines(m_spots);
    return true;
}

void DxListCommands::select(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_spots.size()) return;
    const std::optional<rig::DxSpot> spot = rig::ParseSpotLine(m_spots[static_cast<std::size_t>(row)]);
    if (!spot) return;
    if (m_window.setSelectedCall) m_window.setSelectedCall(spot->call + " " + spot->comment);
    const rig::SpotTuning tuning = rig::TuningForSpot(spot->frequencyHz);
    if (tuning.mode && m_window.setOperatingMode) m_window.setOperatingMode(*tuning.mode);
    if (m_window.tune) m_window.tune(spot->frequencyHz + tuning.offsetHz);
}

void DxListCommands::doubleClick(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_spots.size()) return;
    if (m_window.markHere) m_window.markHere();
    if (m_window.focusEntryLine) m_window.focusEntryLine();
}

}  // namespace vexa::app
