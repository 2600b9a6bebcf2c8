// The macro store: built-in texts, the stored form, and the profile keys.
#include "macros/macro_table.h"

#include <utility>

namespace vexa::macros {

namespace {
constexpr std::string_view kSection = "Keyboard";

// A QSO in the keyboard modes: call CQ, answer, the first over with report and name, the
// brag file, the final over that logs the contact, and short pieces for a running contact.
// Each key is expanded token by token, so "<TIMESTAMP><SAVE>" stamps before it saves.
constexpr std::array<std::string_view, MacroTable::kSlots> kBuiltIn = {
    // F1: CQ
    "<TX><CR><LF>CQ<SP>CQ<SP>CQ<SP>de<SP><MYCALL><SP><MYCALL><SP><MYCALL><CR><LF>"
    "CQ<SP>CQ<SP>CQ<SP>de<SP><MYCALL><SP><MYCALL><SP><MYCALL><SP>pse<SP>k<CR><LF><RX>",
    // F2: answer a CQ
    "<TX><CR><LF><CALL><SP><CALL><SP>de<SP><MYCALL><SP><MYCALL><SP><MYCALL><SP>pse<SP>k<CR><LF><RX>",
    // F3: first over
    "<TX><CR><LF><CALL><SP>de<SP><MYCALL><CR><LF>Good<SP>day<SP><NAME>,<SP>thanks<SP>for<SP>the<SP>call."
    "<CR><LF>Your<SP>RST<SP>is<SP><RST><SP><RST>.<CR><LF>My<SP>name<SP>is<SP><MYNAME><SP>and<SP>my<SP>QTH"
    "<SP>is<SP><MYQTH>.<CR><LF>How<SP>copy?<SP><CALL><SP>de<SP><MYCALL><SP>kn<CR><LF><RX>",
    // F4: start an over
    "<TX><CR><LF><CALL><SP>de<SP><MYCALL><CR><LF>",
    // F5: end an over
    "<CR><LF><CALL><SP>de<SP><MYCALL><SP>kn<CR><LF><RX>",
    // F6: station description
    "<TX><CR><LF><CALL><SP>de<SP><MYCALL><CR><LF><BRAG0><CR><LF><CALL><SP>de<SP><MYCALL><SP>kn<CR><LF><RX>",
    // F7: final over; the contact is time-stamped and logged
    "<TX><CR><LF><CALL><SP>de<SP><MYCALL><CR><LF>Thank<SP>you<SP>for<SP>the<SP>QSO,<SP><NAME>.<SP>73<SP>"
    "and<SP>good<SP>DX.<CR><LF><CALL><SP>de<SP><MYCALL><SP>sk<CR><LF><RX><TIMESTAMP><SAVE>",
    // F8: report
    "Your<SP>RST<SP>is<SP><RST><SP><RST>.<SP>",
    // F9: name and QTH
    "My<SP>name<SP>is<SP><MYNAME>,<SP>QTH<SP><MYQTH>.<SP>",
    // F10: the time
    "The<SP>time<SP>here<SP>is<SP><GMT><SP>UTC.<SP>",
    // Shift+F1: short CQ
    "<TX><CR><LF>CQ<SP>CQ<SP>de<SP><MYCALL><SP><MYCALL><SP>k<CR><LF><RX>",
    // Shift+F2: QRL?
    "<TX><CR><LF>QRL?<SP>de<SP><MYCALL><CR><LF><RX>",
    // Shift+F3: not copied
    "<TX><CR><LF><CALL><SP>de<SP><MYCALL><CR><LF>Sorry,<SP>no<SP>copy.<SP>Pse<SP>again.<CR><LF>"
    "<CALL><SP>de<SP><MYCALL><SP>kn<CR><LF><RX>",
    // Shift+F4: the program
    "The<SP>program<SP>here<SP>is<SP><VER>.<SP>",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
};
}  // namespace

MacroTable::MacroTable()
{
    for (int s = 0; s < kSlots; ++s)
        m_texts[static_cast<std::size_t>(s)] = kBuiltIn[static_cast<std::size_t>(s)];
}

const std::string& MacroTable::text(int slot) const
{
    static const std::string empty;
    if (slot < 0 || slot >= kSlots) return empty;
    return m_texts[static_cast<std::size_t>(slot)];
}

void MacroTable::setText(int slot, std::string stored)
{
    if (slot < 0 || slot >= kSlots) return;
    m_texts[static_cast<std::size_t>(slot)] = std::move(stored);
}

void MacroTable::read(const Profile& profile)
{
    for (int s = 0; s < kSlots; ++s) {
        auto& t = m_texts[static_cast<std::size_t>(s)];
        t = profile.readString(kSection, profileKey(s), t);
    }
}

bool MacroTable::store(int slot, std::string stored, Profile& profile)
{
    if (slot < 0 || slot >= kSlots) return false;
    setText(slot, stored);
    return profile.writeString(kSection, profileKey(slot), stored);
}

std::string MacroTable::profileKey(int slot)
{
    return "F" + std::to_string(slot + 1);
}

std::string MacroTable::keyName(int slot)
{
    const bool shifted = (slot >= 10 && slot <= 19) || slot >= 22;
    const int number = slot < 20 ? slot % 10 + 1 : 11 + slot % 2;
    return std::string(shifted ? "Shift F" : "F") + " " + std::to_string(number);
}

const std::array<std::string, MacroTable::kSlots>& MacroTable::passOrderTokens()
{
    static const std::array<std::string, kSlots> tokens = [] {
        std::array<std::string, kSlots> t;
        std::size_t i = 0;
        for (const char* prefix : {"<F", "<SF"})
            for (int n = 1; n <= 12; ++n) t[i++] = prefix + std::to_string(n) + ">";
        return t;
    }();
    return tokens;
}

std::optional<int> MacroTable::slotOfToken(std::string_view token)
{
    const auto& tokens = passOrderTokens();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] != token) continue;
        const int n = static_cast<int>(i % 12);  // key number - 1
        const bool shifted = i >= 12;
        if (n < 10) return n + (shifted ? 10 : 0);
        return 20 + (n - 10) + (shifted ? 2 : 0);
    }
    return std::nullopt;
}

namespace {

// What the profile cannot hold as it is, and the token that stands for it there.
constexpr std::pair<std::string_view, std::string_view> kStoredEscapes[] = {
    {"\r", "<CR>"}, {"\n", "<LF>"}, {" ", "<SP>"}};

}  // namespace

std::string MacroTable::toStoredForm(std::string_view display)
{
    std::string s(display);
    for (const auto& [raw, token] : kStoredEscapes) replaceAll(s, raw, token);
    return s;
}

std::string MacroTable::toDisplayForm(std::string_view stored)
{
    std::string s(stored);
    for (const auto& [raw, token] : kStoredEscapes) replaceAll(s, token, raw);
    return s;
}

const std::array<std::string_view, MacroTable::kSlots>& MacroTable::builtInTexts()
{
    return kBuiltIn;
}

int replaceAll(std::string& text, std::string_view token, std::string_view value)
{
    if (token.empty()) return 0;
    int count = 0;
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at)) {
        text.replace(at, token.size(), value);
        at += value.size();
        ++count;
    }
    return count;
}

}  // namespace vexa::macros
