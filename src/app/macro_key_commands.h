// The macro keys of the main window: F1..F12 and Shift+F1..Shift+F12 send the macro texts
// (typed into the keyboard window in the text modes, voice messages in the SSB modes), Ctrl
// with the same keys edits them. The token expansion it owns also expands the files of the
// "Send" button and those dropped on the keyboard window. The contact fields belong to the
// logbook (LogCommands); its commands plug in through setLogHooks.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/application_globals.h"
#include "app/command_table.h"
#include "app/operating_state.h"
#include "common/ports.h"
#include "common/profile.h"
#include "log/qso_fields.h"
#include "macros/macro_actions.h"
#include "macros/macro_commands.h"
#include "macros/qso_contact_fields.h"
#include "macros/token_expander.h"

namespace vexa::app {

// What the window lends the macro keys.
struct MacroKeyWindow {
    std::function<void()> toggleTransmit;
    std::function<void()> focusKeyboard;
};

struct MacroLogHooks {
    std::function<void()> save;
    std::function<void()> clear;
    std::function<void()> timeStamp;
};

class MacroKeyCommands final : public macros::MacroActions, public macros::MacroCommandHost {
public:
    // Reads the macro texts from the profile (a text the profile lacks keeps the one in
    // memory) and puts the expansion in front of the keyboard window's text files.
    MacroKeyCommands(ApplicationGlobals& globals, OperatingState& state, TextWindow& keyboard,
                     Prompter& prompter, const Clock& clock, MacroKeyWindow window,
                     log::QsoFieldProviders& contact);
    ~MacroKeyCommands() override;
    MacroKeyCommands(const MacroKeyCommands&) = delete;
    MacroKeyCommands& operator=(const MacroKeyCommands&) = delete;

    // Send: F1..Shift+F12 (1250..1273). Edit: Ctrl with them (1300..1323).
    void addCommands(CommandTable& commands);
    void setLogHooks(MacroLogHooks hooks) { m_log = std::move(hooks); }
    log::QsoFields& contact() noexcept { return m_contact.providers().fields(); }
    macros::MacroCommands& commands() noexcept { return m_commands; }

    // macros::MacroActions
    macros::StationIdentity station() const override;
    bool transmitting() const override { return m_state.transmitting(); }
    void startTransmit() override { m_window.toggleTransmit(); }
    void saveEntry() override { runLog(m_log.save, "<SAVE>"); }
    void clearEntry() override { runLog(m_log.clear, "<CLEAR>"); }
    void timeStampEntry() override { runLog(m_log.timeStamp, "<TIMESTAMP>"); }
    void reportLine(std::string_view text) override;
    // macros::MacroCommandHost
    OperatingMode operatingMode() const override { return m_state.operatingMode(); }
    void queueVoiceMessage(int slot) override { m_state.voiceKeyer().queueMessage(slot); }
    void focusKeyboardWindow() override { m_window.focusKeyboard(); }
    // Nothing reads a last looked-up call in this window yet.
    void clearLastLookupCall() override {}

private:
    void runLog(const std::function<void()>& action, std::string_view token);

    ApplicationGlobals& m_globals;
    OperatingState& m_state;
    MacroKeyWindow m_window;
    Profile m_profile;
    macros::QsoContactFields m_contact;
    macros::TokenExpander m_expander;
    macros::MacroCommands m_commands;
    MacroLogHooks m_log;
};

}  // namespace vexa::app
