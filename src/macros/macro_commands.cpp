// Sending and editing the function-key macros.
#include "macros/macro_commands.h"

namespace vexa::macros {

MacroCommands::MacroCommands(MacroTable& macros, TokenExpander& expander, TextWindow& keyboardWindow,
                             Prompter& prompter, Profile& profile, MacroCommandHost& host)
    : m_macros(macros),
      m_expander(expander),
      m_keyboard(keyboardWindow),
      m_prompter(prompter),
      m_profile(profile),
      m_host(host)
{
}

bool MacroCommands::sendsText(OperatingMode mode) noexcept
{
    return mode == OperatingMode::Cw || mode == OperatingMode::Rtty || isVaricodeMode(mode);
}

bool MacroCommands::playsVoice(OperatingMode mode) noexcept
{
    return mode == OperatingMode::Usb || mode == OperatingMode::Lsb || mode == OperatingMode::Ssb;
}

void MacroCommands::SendMacro(int slot)
{
    const OperatingMode mode = m_host.operatingMode();
    if (slot >= 0 && slot < MacroTable::kSlots) {
        if (sendsText(mode)) {
            // Token by token: each action happens when its token is reached, and a brag
            // file lands between the text before and after its token.
            std::string_view rest = m_macros.text(slot);
            for (std::size_t open; (open = rest.find('<')) != std::string_view::npos;) {
                m_keyboard.replaceSelection(rest.substr(0, open));
                const std::size_t close = rest.find('>', open);
                if (close == std::string_view::npos) {
                    rest = rest.substr(open);
                    break;
                }
                m_keyboard.replaceSelection(m_expander.ExpandToken(rest.substr(open, close - open + 1)));
                rest = rest.substr(close + 1);
            }
            m_keyboard.replaceSelection(rest);
        } else if (playsVoice(mode)) {
            m_host.queueVoiceMessage(slot);
        }
    }
    m_host.focusKeyboardWindow();
}

EditResult MacroCommands::EditMacro(int slot)
{
    if (slot < 0 || slot >= MacroTable::kSlots) return EditResult::Cancelled;
    // The editor's lines end in LF alone; on the air a line ends CR LF. Each way converts.
    std::string shown = MacroTable::toDisplayForm(m_macros.text(slot));
    replaceAll(shown, "\r\n", "\n");
    const auto answer = m_prompter.askText(editPrompt(slot), shown);
    m_host.clearLastLookupCall();
    if (!answer) return EditResult::Cancelled;
    std::string edited;
    for (std::size_t i = 0; i < answer->size(); ++i) {
        const char c = (*answer)[i];
        if (c == '\n' && (i == 0 || (*answer)[i - 1] != '\r')) edited.push_back('\r');
        edited.push_back(c);
    }
    // Without a profile file (a session run without settings) the text lasts the run.
    if (m_profile.file().empty()) {
        m_macros.setText(slot, MacroTable::toStoredForm(edited));
        return EditResult::Stored;
    }
    if (!m_macros.store(slot, MacroTable::toStoredForm(edited), m_profile)) {
        m_prompter.inform("The macro text could not be written to " + m_profile.file().string() +
                              "; it is kept until the program ends.",
                          "Error");
        return EditResult::NotWritten;
    }
    return EditResult::Stored;
}

}  // namespace vexa::macros
