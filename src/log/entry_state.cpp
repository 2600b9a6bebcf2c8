// The entry line's state machine: blank -> edited -> time-stamped -> saved -> next change.
#include "log/entry_state.h"

#include "log/log_record.h"

namespace vexa::log {

std::string EntryWord(std::string_view line, int n)
{
    std::string word;
    int index = 0;
    bool done = false;
    ForEachWord(line, [&](std::string_view w) {
        if (done) return;
        if (index++ == n) {
            word.assign(w.substr(0, 1023));
            done = true;
        }
    });
    return word;
}

EntryChange EntryLineState::onChanged(std::string_view text, std::string_view line, bool entryHasFocus)
{
    EntryChange change;
    if ((m_state & entry_state::kSaved) != 0) {
        m_state &= ~entry_state::kSaved;
        change.savedBitCleared = true;
        return change;
    }
    change.call = EntryWord(line, 0);
    if (text != m_previous) {
        // "Greater than three spaces" in byte order: anything but empty or one to three spaces.
        if (text > std::string_view("   ")) {
            m_state |= entry_state::kEdited;
            if (text.size() > m_previous.size() + 1 && !entryHasFocus) change.typeSpaceAndMoveCarets = true;
            change.clearSelectedCall = true;
        } else {
            m_state = 0;
        }
    }
    m_previous.assign(text);
    return change;
}

}  // namespace vexa::log
