// The function keys routed to the macro store.
#include "app/macro_key_commands.h"

namespace vexa::app {

namespace {
macros::PassThroughExpander g_passThrough;
}

MacroKeyCommands::MacroKeyCommands(ApplicationGlobals& globals, OperatingState& state, TextWindow& keyboard,
                                   Prompter& prompter, const Clock& clock, MacroKeyWindow window,
                                   log::QsoFieldProviders& contact)
    : m_globals(globals),
      m_state(state),
      m_window(std::move(window)),
      m_profile(globals.profileFile),
      m_contact(contact),
      m_expander(globals.macros, m_contact, *this, clock, keyboard),
      m_commands(globals.macros, m_expander, keyboard, prompter, m_profile, *this)
{
    if (!globals.profileFile.empty()) globals.macros.read(m_profile);
    m_state.keyboardBuffer().setExpander(m_expander);
}

MacroKeyCommands::~MacroKeyCommands()
{
    m_state.keyboardBuffer().setExpander(g_passThrough);
}

void MacroKeyCommands::addCommands(CommandTable& commands)
{
    for (int slot = 0; slot < macros::MacroTable::kSlots; ++slot) {
        commands[nthId(ControlId::FirstMacro, slot)] = [this, slot] { m_commands.SendMacro(slot); };
        commands[nthId(ControlId::FirstMacroEdit, slot)] = [this, slot] { m_commands.EditMacro(slot); };
    }
}

macros::StationIdentity MacroKeyCommands::station() const
{
    const StationData& s = m_globals.settings.station;
    return {s.call, s.name, s.qth};
}

void MacroKeyCommands::reportLine(std::string_view text)
{
    // The clock tick moves it into the receive window.
    std::string& receive = m_state.receiveTextBuffer();
    receive += "\r\n";
    receive += text;
    receive += "\r\n";
}

void MacroKeyCommands::runLog(const std::function<void()>& action, std::string_view token)
{
    if (action)
        action();
    else
        reportLine(std::string(token) + " skipped: the logbook is not connected to this window yet");
}

}  // namespace vexa::app
