#include "macros/keyboard_transmit_buffer.h"

#include <algorithm>
#include <fstream>

#include "macros/text_file_pieces.h"

namespace vexa::macros {

int KeyboardTransmitBuffer::NextTransmitChar(int& out)
{
    const int selStart = m_window.selectionStart();
    const int selEnd = m_window.selectionEnd();

    const int backspaces = m_window.pendingBackspaces();
    if (backspaces > 0) {
        if (m_wrapCounter > 0) --m_wrapCounter;
        m_window.setPendingBackspaces(backspaces - 1);
        out = 8;
        return 1;
    }

    if (m_pending.empty()) {
        if (selStart == 0) return 0;
        // One piece from the start of the window. All window work happens on the GUI
        // thread, so typing cannot interleave with it and the window stays enabled.
        std::string piece;
        int taken = 0;
        const int length = m_window.length();
        for (int n = 1; n <= 9 && n <= length && piece.empty(); ++n) {
            m_window.select(0, n);
            piece = m_window.text().substr(0, static_cast<std::size_t>(n));
            taken = n;
        }
        m_window.replaceSelection("");
        // The operator's selection stays on the same characters.
        m_window.select(std::max(0, selStart - taken), std::max(0, selEnd - taken));
        m_pending = piece;
        if (m_pending.empty()) {
            out = 0;
            return 1;
        }
    }

    const auto c = static_cast<unsigned char>(m_pending.front());
    m_pending.erase(0, 1);
    out = c;
    ++m_wrapCounter;
    // The counter measures the line being sent: it restarts only at a line break.
    if (c == '\r' || c == '\n') {
        m_wrapCounter = 0;
    } else if (c <= ' ' && m_wrapCounter >= m_wrap) {
        m_pending += "\r\n";
        m_wrapCounter = 0;
    }
    return 1;
}

void KeyboardTransmitBuffer::EmptyTransmitText()
{
    m_window.select(0, m_window.length());
    m_window.replaceSelection("");
    m_pending.clear();
}

bool KeyboardTransmitBuffer::SendTextFile(const std::string& path)
{
    // A read error ends the file there; what was typed stays.
    return ReadTextPieces(path, [this](const std::string& piece) {
               m_window.replaceSelection(m_expander->ExpandText(piece));
           }) != TextFileRead::CannotOpen;
}

bool KeyboardTransmitBuffer::DropFiles(const std::vector<std::string>& paths)
{
    if (paths.empty()) return false;
    SendTextFile(paths.front());
    return true;
}

}  // namespace vexa::macros
