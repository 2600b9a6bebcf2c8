// The frequency-mark keys: Alt+Insert marks the frequency, Alt+Delete removes the marks
// there, Alt+Page Down / Page Up go to the next or previous mark in its mode.
#pragma once

#include <functional>
#include <string>

#include "common/frequency_marks.h"
#include "common/ports.h"
#include "rig/band_control_host.h"
#include "rig/transceiver.h"

namespace vexa::rig {

class MarkCommands {
public:
    MarkCommands(FrequencyMarks& marks, Transceiver& transceiver, BandControlHost& host, Prompter& prompter,
                 const Clock& clock);

    // labelText: the window's label text; asked for with "Mark label:" when empty. Nothing
    // is marked when the question is cancelled or there is no frequency.
    void MarkThisFrequency(const std::string& labelText, const std::string& entryText);
    void DeleteMarksHere();
    void NextMark();
    void PreviousMark();

private:
    void goTo(bool next);

    FrequencyMarks& m_marks;
    Transceiver& m_trx;
    BandControlHost& m_host;
    Prompter& m_prompter;
    const Clock& m_clock;
};

}  // namespace vexa::rig
