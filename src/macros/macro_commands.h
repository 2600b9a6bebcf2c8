// The function-key commands: F1..F12 and Shift+F1..Shift+F12 send a macro (typed into the
// keyboard window in the text modes, a recorded voice message in the SSB modes),
// Ctrl with the same keys edits it.
#pragma once

#include <string>

#include "common/operating_mode.h"
#include "common/ports.h"
#include "common/profile.h"
#include "macros/macro_table.h"
#include "macros/token_expander.h"

namespace vexa::macros {

// What the commands need of the main window beyond the keyboard window.
class MacroCommandHost : public OperatingModeSource {
public:
    // The voice keyer: queue message `slot` ("SSB<slot+1>.wav"), starting its thread.
    virtual void queueVoiceMessage(int slot) = 0;
    virtual void focusKeyboardWindow() = 0;
    virtual void clearLastLookupCall() = 0;
};

enum class EditResult { Stored, Cancelled, NotWritten };

class MacroCommands {
public:
    MacroCommands(MacroTable& macros, TokenExpander& expander, TextWindow& keyboardWindow, Prompter& prompter,
                  Profile& profile, MacroCommandHost& host);

    void SendMacro(int slot);
    // Asks "Text for F 1" (.. "Text for Shift F 12") with the text as the operator sees
    // it, lines ending in LF; each line break typed is stored as "<CR><LF>". A text the
    // profile would not take is kept for this run and the operator is told.
    EditResult EditMacro(int slot);

    // The text modes: CW, RTTY, PSK31, QPSK, FSK31.
    static bool sendsText(OperatingMode mode) noexcept;
    static bool playsVoice(OperatingMode mode) noexcept;
    static std::string editPrompt(int slot) { return "Text for " + MacroTable::keyName(slot); }

private:
    MacroTable& m_macros;
    TokenExpander& m_expander;
    TextWindow& m_keyboard;
    Prompter& m_prompter;
    Profile& m_profile;
    MacroCommandHost& m_host;
};

}  // namespace vexa::macros
