// `TimeStampEntry`: completes the entry line with the name, QTH and reports it lacks and
// appends date, time, mode word and frequency, once per contact.
#pragma once

#include <string>

#include "common/operating_mode.h"
#include "common/ports.h"
#include "log/entry_state.h"
#include "log/log_time.h"
#include "log/qso_fields.h"

namespace vexa::log {

struct StampInputs {
    std::string entryText;  // the entry line's whole text
    OperatingMode operatingMode = OperatingMode::Psk31;
    std::string freeText;    // the free-text edit next to the entry line
    bool satellite = false;  // adds " RS13"
    bool gmt = true;         // the "GMT" check box
};

struct StampResult {
    bool stamped = false;  // false: already stamped, or the line already parses as a record
    std::string line;      // the completed line, to be shown in the normal format
    std::string suffix;    // to be appended in the time-stamp format
    std::string call;      // EntryWord(0) before completion
    std::string label;     // "+" and the call, for the frequency mark; empty without a call
    LogTime localTime = 0;
};

// The mode word written for an operating mode; empty for AM, which takes the mode
// provider's text (the mode combo box's "AM").
std::string_view StampModeWord(OperatingMode mode) noexcept;

StampResult TimeStampEntry(EntryLineState& state, QsoFieldProviders& providers, const StampInputs& inputs,
                           const Clock& clock, const TimeZoneOffset& zone);

}  // namespace vexa::log
