// The 24 macro texts of the function keys: F1..F10 (slots 0..9), Shift+F1..Shift+F10
// (10..19), F11, F12 (20, 21) and Shift+F11, Shift+F12 (22, 23). Texts are kept in their
// stored form, with "<CR>", "<LF>" and "<SP>" for carriage returns, line feeds and spaces,
// so that a text survives a one-line profile value; the editor shows them as real
// characters.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/profile.h"

namespace vexa::macros {

class MacroTable {
public:
    static constexpr int kSlots = 24;

    // Starts with the built-in texts.
    MacroTable();

    // Stored form; empty for a slot out of range.
    const std::string& text(int slot) const;
    void setText(int slot, std::string stored);

    // Reads "Keyboard"/"F1".."F24"; a key that is absent keeps the text held now.
    void read(const Profile& profile);
    // Stores the text and writes it through to the profile at once. False when the profile
    // could not be written (the text is still held for this run).
    [[nodiscard]] bool store(int slot, std::string stored, Profile& profile);

    // "F1".."F24": the profile key of a slot.
    static std::string profileKey(int slot);
    // The key as the editor names it: "F 1".."F 12", "Shift F 1".."Shift F 12".
    static std::string keyName(int slot);
    // The slot a "<F1>".."<F12>", "<SF1>".."<SF12>" token stands for.
    static std::optional<int> slotOfToken(std::string_view token);
    // The tokens in the order one expansion pass replaces them.
    static const std::array<std::string, kSlots>& passOrderTokens();

    static std::string toStoredForm(std::string_view display);
    static std::string toDisplayForm(std::string_view stored);

    // What a fresh installation offers, in stored form.
    static const std::array<std::string_view, kSlots>& builtInTexts();

private:
    std::array<std::string, kSlots> m_texts;
};

// Replaces every occurrence of `token` in `text`, scanning on behind each inserted value so
// that a value holding the token is not expanded again. Returns how many were replaced.
int replaceAll(std::string& text, std::string_view token, std::string_view value);

}  // namespace vexa::macros
