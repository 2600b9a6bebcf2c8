// Clearing never drops an unsaved contact without the operator's word.
#include "log/clear_entry.h"

#include "log/log_record.h"

namespace vexa::log {

bool AskToSaveFirst(Prompter& prompter, const std::function<bool()>& save)
{
    switch (prompter.askYesNoCancel(kTextNotSaved, "")) {
        case Prompter::Answer::Cancel:
            return false;
        case Prompter::Answer::No:
            return true;
        case Prompter::Answer::Yes:
            break;
    }
    return save();
}

bool ConfirmClear(const EntryLineState& state, Prompter& prompter, const std::function<SaveForClear()>& save,
                  const TimeZoneOffset& zone)
{
    if (state.state() == 0) return true;
    // A save that failed or was declined, or a text that is no record, stays for the operator.
    return AskToSaveFirst(prompter, [&] {
        const SaveForClear saved = save();
        return saved.outcome == SaveOutcome::Saved &&
               ParseLogRecord(saved.entryText, nullptr, zone) == ParseResult::Complete;
    });
}

}  // namespace vexa::log
