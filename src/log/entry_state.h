// The unsaved-entry bits of the entry line, the words of its line, and the rule that moves
// the bits when the line changes.
#pragma once

#include <string>
#include <string_view>

namespace vexa::log {

namespace entry_state {
inline constexpr int kEdited = 1;
inline constexpr int kTimeStamped = 2;
inline constexpr int kSaved = 4;
}  // namespace entry_state

// `EntryWord(n)`: the n-th word (from 0) of `line`, at most 1023 bytes; empty when the line
// has n words or fewer.
std::string EntryWord(std::string_view line, int n);

// What the window has to do after a change notification of the entry line.
struct EntryChange {
    bool savedBitCleared = false;         // the notification only cleared the saved bit; nothing else
    std::string call;                     // EntryWord(0): the new call field
    bool typeSpaceAndMoveCarets = false;  // text arrived while the focus was elsewhere
    bool clearSelectedCall = false;
};

// Tracks `entryState` and the text of the previous change.
class EntryLineState {
public:
    int state() const noexcept { return m_state; }
    void setState(int s) noexcept { m_state = s; }
    bool unsaved() const noexcept
    {
        return (m_state & (entry_state::kEdited | entry_state::kTimeStamped)) != 0;
    }

    // The change notification: `text` is the whole new text, `line` the line with the caret.
    EntryChange onChanged(std::string_view text, std::string_view line, bool entryHasFocus);

private:
    int m_state = 0;
    std::string m_previous;
};

}  // namespace vexa::log
