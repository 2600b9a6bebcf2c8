// Macro token expansion: turns a piece of macro text or of a sent file into the text typed
// into the keyboard window, and performs the actions it names. Steps, always in this order:
// brag files; up to five passes of macro keys; "<CR>", "<LF>", "<SP>"; the station data;
// "<RX>" and "<CWID>"; "<VER>"; "<GMT>"; the contact fields; then "<TX>", "<SAVE>",
// "<CLEAR>" and "<TIMESTAMP>", each acting at most once. Unknown tokens stay as typed.
// Nothing here hands text to a shell or runs it; brag files are only read.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/ports.h"
#include "macros/macro_actions.h"
#include "macros/macro_table.h"
#include "macros/text_expander.h"

namespace vexa::macros {

class TokenExpander final : public TextExpander {
public:
    static constexpr int kMacroPasses = 5;
    // The keyboard window's text limit: a brag file bigger than this is not sent.
    static constexpr std::size_t kKeyboardLimit = 1'000'000;

    // keyboardWindow: where brag files go (at the caret, ahead of what the caller inserts).
    TokenExpander(const MacroTable& macros, ContactFields& fields, MacroActions& actions, const Clock& clock,
                  TextWindow& keyboardWindow);

    // Where "BRAG0.TXT" .. "BRAG9.TXT" are read from; empty: the working directory.
    void setBragDirectory(std::string directory) { m_bragDirectory = std::move(directory); }
    void setBragLimit(std::size_t bytes) noexcept { m_bragLimit = bytes; }

    std::string ExpandToken(std::string_view text);
    std::string ExpandText(std::string_view text) override { return ExpandToken(text); }

    static std::string bragToken(int k) { return "<BRAG" + std::to_string(k) + ">"; }
    static std::string bragFileName(int k) { return "BRAG" + std::to_string(k) + ".TXT"; }

private:
    void sendBrag(int k);
    void insert(std::string_view text);

    const MacroTable& m_macros;
    ContactFields& m_fields;
    MacroActions& m_actions;
    const Clock& m_clock;
    TextWindow& m_keyboard;
    std::string m_bragDirectory;
    std::size_t m_bragLimit = kKeyboardLimit;

    // One expansion chain: the outermost call and the brag files it sends.
    int m_depth = 0;
    std::set<int> m_bragsInChain;
    std::vector<std::string> m_bragOutput;  // innermost brag file being collected last
};

}  // namespace vexa::macros
