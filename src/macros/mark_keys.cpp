// Storing and recalling the digit-key frequency marks.
#include "macros/mark_keys.h"

#include <algorithm>
#include <cstdio>

namespace vexa::macros {

std::string MarkKeys::comboText(int n, const std::string& label)
{
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%2i: ", n + 1);
    return prefix + label;
}

void MarkKeys::StoreMark(int n)
{
    if (n < 0 || n >= kMarks) return;
    const int hz = m_host.signalFrequency();
    m_marks.clearNear(hz);

    std::string proposal = m_host.entryWord0();
    if (proposal.empty()) proposal = m_host.frequencyComboText();
    // A list item " 3: label" proposes its label. Without the blank after the colon: the map
    // hides a label that starts with a blank once it is two hours old.
    if (const auto colon = proposal.find(':'); colon != std::string::npos)
        proposal.erase(0, std::min(proposal.find_first_not_of(' ', colon + 1), proposal.size()));

    m_host.deleteComboItem(n);
    FrequencyMark& mark = m_marks[n];
    if (const auto label = m_prompter.askText("Fq mark", proposal)) {
        mark.frequency = hz;
        mark.mode = m_host.operatingMode();
        mark.label = *label;
        m_host.setComboItem(n, comboText(n, mark.label));
        mark.text = m_host.entryLineText();
        m_host.clearEntryLine();
    } else {
        mark.frequency = 0;
    }
    m_host.refreshFrequencyMap(true);
    m_host.clearLastLookupCall();
}

void MarkKeys::RecallMark(int n)
{
    if (n < 0 || n >= kMarks) return;
    const FrequencyMark& mark = m_marks[n];
    if (mark.frequency == 0) return;
    if (mark.mode) m_host.SetOperatingMode(*mark.mode);
    m_host.TuneTransceiver(mark.frequency);
    m_host.refreshFrequencyMap(false);
}

}  // namespace vexa::macros
