// `SaveEntry`: appends the (already time-stamped) entry to the log and records its contacts.
// The entry counts as saved only once the text is on the disk.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ports.h"
#include "log/contact_recorder.h"
#include "log/entry_state.h"
#include "log/log_time.h"
#include "log/worked_calls.h"

namespace vexa::log {

struct LogContext {
    std::string logPath = "log.log";
    TimeZoneOffset zone;
    WorkedCalls* workedCalls = nullptr;   // may be null
    ContactRecorder* recorder = nullptr;  // may be null
};

enum class SaveOutcome {
    NothingToSave,  // the entry was neither edited nor time-stamped
    Declined,       // "Not parsed! Save anyway?" answered No
    Failed,         // the write failed; the operator was told; the entry stays unsaved
    Saved,
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::NothingToSave;
    std::vector<std::string> logLines;  // log-line-format lines of the parsed records
    std::string unformattedText;        // the raw text plus CR LF when no record parsed
    std::string error;                  // the message shown on failure
};

inline constexpr std::string_view kNotParsedSaveAnyway = "Not parsed! Save anyway?";

// `entryText`: the entry line's lines separated by "\n" (a "\r" before it is ignored).
// Call `TimeStampEntry` first. On Saved, `state` becomes exactly entry_state::kSaved.
SaveResult SaveEntry(std::string_view entryText, EntryLineState& state, Prompter& prompter,
                     const LogContext& context);

}  // namespace vexa::log
