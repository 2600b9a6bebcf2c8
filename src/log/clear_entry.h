// `ClearEntry`'s decision: an unsaved entry is offered for saving first, and a save that
// did not produce a record keeps the text.
#pragma once

#include <functional>
#include <string_view>

#include "common/ports.h"
#include "log/entry_state.h"
#include "log/log_time.h"
#include "log/save_entry.h"

namespace vexa::log {

inline constexpr std::string_view kTextNotSaved = "Text is not saved!\r\nSave?";

struct SaveForClear {
    SaveOutcome outcome = SaveOutcome::NothingToSave;
    std::string entryText;  // the entry line's text after the save
};

// Asks kTextNotSaved: Yes runs `save` and says what it says, No says true, Cancel false.
// True means the entry may go (Clear and Close).
bool AskToSaveFirst(Prompter& prompter, const std::function<bool()>& save);

// True when the window may empty the entry line and the QSO fields. `save` runs the Save
// command (time stamp and SaveEntry).
bool ConfirmClear(const EntryLineState& state, Prompter& prompter, const std::function<SaveForClear()>& save,
                  const TimeZoneOffset& zone);

}  // namespace vexa::log
