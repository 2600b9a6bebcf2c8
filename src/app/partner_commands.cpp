// The partner window's toggle, refresh and edits.
#include "app/partner_commands.h"

#include "app/control_id.h"

namespace vexa::app {

namespace {

bool separator(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string RewriteEntryCall(const std::string& entryText, const std::string& oldCall,
                             const std::string& newCall)
{
    // Whole words only: a call that is part of another word (W1 in W1AW, or a name) is left
    // alone, or each keystroke in the partner's call field would eat into the remarks.
    std::string out;
    bool found = false;
    std::size_t i = 0;
    while (i < entryText.size()) {
        if (separator(entryText[i])) {
            out += entryText[i++];
            continue;
        }
        std::size_t end = i;
        while (end < entryText.size() && !separator(entryText[end])) ++end;
        const std::string_view word(entryText.data() + i, end - i);
        if (!oldCall.empty() && word == oldCall) {
            found = true;
            out += newCall;
            if (newCall.empty() && end < entryText.size() && entryText[end] == ' ') ++end;
        } else {
            out += word;
        }
        i = end;
    }
    if (found) return out;
    // No call in the line: the operator's text stays behind the new call.
    if (newCall.empty()) return entryText;
    const bool blank = entryText.find_first_not_of(" \t\r\n") == std::string::npos;
    return blank ? newCall : newCall + " " + entryText;
}

void PartnerCommands::addCommands(CommandTable& table)
{
    table[ControlId::PartnerToggle] = [this] { toggle(); };
}

void PartnerCommands::toggle()
{
    if (m_open) {
        if (m_window.close) m_window.close();
        m_open = false;
        return;
    }
    if (m_window.open) m_window.open();
    m_open = true;
    refresh();
}

void PartnerCommands::refresh()
{
    if (!m_open || !m_window.show) return;
    m_updating = true;
    m_window.show({m_fields.call, m_fields.name, m_fields.qth, m_fields.rst, m_fields.myRst});
    m_updating = false;
}

std::string& PartnerCommands::fieldOf(PartnerField field)
{
    switch (field) {
        case PartnerField::Call:
            return m_fields.call;
        case PartnerField::Name:
            return m_fields.name;
        case PartnerField::Qth:
            return m_fields.qth;
        case PartnerField::Report:
            return m_fields.rst;
        case PartnerField::MyReport:
            break;
    }
    return m_fields.myRst;
}

void PartnerCommands::edited(PartnerField field, const std::string& text)
{
    if (m_updating) return;
    std::string& value = fieldOf(field);
    const std::string previous = value;
    value = text;
    if (field != PartnerField::Call || !m_window.entryText || !m_window.setEntryText) return;
    const std::string entry = m_window.entryText();
    const std::string rewritten = RewriteEntryCall(entry, previous, text);
    if (rewritten == entry) return;
    // Edited, and the saved bit swallows the entry line's own notification of this write,
    // which would otherwise take the call back from the line and type a space into it.
    m_entry.setState(m_entry.state() | log::entry_state::kEdited | log::entry_state::kSaved);
    m_window.setEntryText(rewritten);
}

}  // namespace vexa::app
