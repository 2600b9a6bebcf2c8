// Clearing never drops an unsaved contact without the operator's word.
#include "log/clear_entry.h"

#include "log/log_record.h"

namespace vexa::log {

std::optional<bool> AskToDropUnsaved(Prompter& prompter)
{
    switch (prompter.askYesNoCancel(kTextNotSaved, "")) {
        case Prompter::Answer::Cancel:
            return false;
        case Prompter::Answer::No:
            return true;
        case Prompter::Answer::Yes:
            break;
    }
    return std::nullopt;
}

bool ConfirmClear(const EntryLineState& state, Prompter& prompter, const std::function<SaveForClear()>& save,
                  const TimeZoneOffset& zone)
{
    if (state.state() == 0) return true;
    if (const std::optional<bool> drop = AskToDropUnsaved(prompter)) return *drop;
    // A save that failed or was declined, or a text that is no record, stays for the operator.
    const SaveForClear saved = save();
    return saved.outcome == SaveOutcome::Saved &&
           ParseLogRecord(saved.entryText, nullptr, zone) == ParseResult::Complete;
}

}  // namespace vexa::log
