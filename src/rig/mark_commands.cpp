#include "rig/mark_commands.h"

#include "common/operating_mode.h"

namespace vexa::rig {

MarkCommands::MarkCommands(FrequencyMarks& marks, Transceiver& transceiver, BandControlHost& host,
                           Prompter& prompter, const Clock& clock)
    : m_marks(marks), m_trx(transceiver), m_host(host), m_prompter(prompter), m_clock(clock)
{
}

void MarkCommands::MarkThisFrequency(const std::string& labelText, const std::string& entryText)
{
    const int hz = m_trx.GetSignalFrequency();
    if (hz <= 0) return;
    std::string label = labelText;
    if (label.empty()) {
        const auto answer = m_prompter.askText("Mark label:", "");
        if (!answer || answer->empty()) return;
        label = *answer;
    }
    m_marks.markHere(hz, m_host.operatingMode(), m_clock.now(), label, entryText);
    m_host.refreshFrequencyMap(true);
}

void MarkCommands::DeleteMarksHere()
{
    m_marks.clearNear(m_trx.GetSignalFrequency());
    m_host.refreshFrequencyMap(true);
}

void MarkCommands::NextMark()
{
    goTo(true);
}

void MarkCommands::PreviousMark()
{
    goTo(false);
}

void MarkCommands::goTo(bool next)
{
    const auto slot = m_marks.step(m_trx.GetSignalFrequency(), next, m_clock.now());
    if (!slot) return;
    const FrequencyMark& mark = m_marks[*slot];
    // A mark that knows no mode leaves the mode alone.
    if (mark.mode) m_host.SetOperatingMode(*mark.mode);
    m_trx.TuneTransceiver(mark.frequency);
    m_host.refreshFrequencyMap(true);
}

}  // namespace vexa::rig
