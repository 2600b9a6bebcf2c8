// The keyboard transmit buffer: hands the transmit path the text of the keyboard window
// one character at a time, removing it from the window so that the window always shows
// what is still unsent; sends backspaces typed over text already sent; breaks long lines
// at a space; and types text files into the window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ports.h"
#include "common/transmit_text_source.h"
#include "macros/text_expander.h"

namespace vexa::macros {

class KeyboardTransmitBuffer : public TransmitTextSource {
public:
    static constexpr int kDefaultWrap = 80;
    static constexpr std::size_t kPieceLength = 255;

    // window: the keyboard window; expander: applied to each piece of a text file.
    KeyboardTransmitBuffer(TextWindow& window, TextExpander& expander) noexcept
        : m_window(window), m_expander(&expander)
    {
    }

    // Only the text before the caret is handed out. 0: nothing can be sent now; 1: out is
    // the next character code, or 0 when nothing was obtained this time. A line break of
    // the window (a lone LF: typed Enter, pasted or sent text) goes out as CR LF.
    int NextTransmitChar(int& out) override;
    void StartTransmitText() override { m_pending = "\r\n"; }
    void EmptyTransmitText() override;

    // The "Wrap" setting: a space (or any code up to 32 but CR and LF) handed out when the
    // line sent so far holds at least this many characters is followed by CR LF.
    void setWrap(int columns) noexcept { m_wrap = columns; }
    void setExpander(TextExpander& expander) noexcept { m_expander = &expander; }

    // Types a text file into the window at the caret, in pieces of at most 255 characters
    // that end after a line feed, each through the expander. False when the file cannot
    // be opened (nothing happens then); a read error stops it, what was typed stays.
    bool SendTextFile(const std::string& path);
    // Files dropped on the keyboard window: the first one is sent.
    bool DropFiles(const std::vector<std::string>& paths);

    const std::string& pendingText() const noexcept { return m_pending; }
    int wrapCounter() const noexcept { return m_wrapCounter; }

private:
    TextWindow& m_window;
    TextExpander* m_expander;
    std::string m_pending;
    int m_wrapCounter = 0;
    char m_lastTaken = 0;  // the last character taken out of the window
    int m_wrap = kDefaultWrap;
};

}  // namespace vexa::macros
