// The ten frequency marks of the digit keys: Ctrl+1..Ctrl+0 store marks 0..9 (with a label
// the operator confirms), Alt+1..Alt+0 return to them. Their labels also stand in the list
// of the frequency combo box as "%2i: " with the mark number 1..10 and the label.
#pragma once

#include <string>

#include "common/frequency_marks.h"
#include "common/operating_mode.h"
#include "common/ports.h"

namespace vexa::macros {

class MarkKeysHost : public OperatingModeSource {
public:
    virtual int signalFrequency() const = 0;  // Hz
    virtual void SetOperatingMode(OperatingMode mode) = 0;
    virtual void TuneTransceiver(int signalHz) = 0;
    virtual void refreshFrequencyMap(bool force) = 0;
    virtual std::string entryWord0() const = 0;
    virtual std::string entryLineText() const = 0;
    virtual void clearEntryLine() = 0;
    virtual std::string frequencyComboText() const = 0;
    // The combo box list: item n is mark n.
    virtual void deleteComboItem(int n) = 0;
    virtual void setComboItem(int n, const std::string& text) = 0;
    virtual void clearLastLookupCall() = 0;
};

class MarkKeys {
public:
    static constexpr int kMarks = 10;

    MarkKeys(FrequencyMarks& marks, Prompter& prompter, MarkKeysHost& host)
        : m_marks(marks), m_prompter(prompter), m_host(host)
    {
    }

    void StoreMark(int n);
    // An empty mark changes nothing.
    void RecallMark(int n);

    // "%2i: " with n + 1, then the label.
    static std::string comboText(int n, const std::string& label);

private:
    FrequencyMarks& m_marks;
    Prompter& m_prompter;
    MarkKeysHost& m_host;
};

}  // namespace vexa::macros
