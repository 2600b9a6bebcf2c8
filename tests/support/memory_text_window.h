// A TextWindow over a plain string: selection, caret, replacement and the pending
// backspaces of the keyboard window, with typing helpers for tests. It has the focus
// until a test takes it away.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "common/ports.h"

namespace vexa::test {

class MemoryTextWindow : public TextWindow {
public:
    explicit MemoryTextWindow(std::string text = {}) : m_text(std::move(text)) {}

    std::string text() const override { return m_text; }
    int length() const override { return static_cast<int>(m_text.size()); }
    int caret() const override { return m_end; }
    void select(int start, int end) override
    {
        m_start = std::clamp(start, 0, length());
        m_end = std::clamp(end, 0, length());
    }
    int selectionStart() const override { return std::min(m_start, m_end); }
    int selectionEnd() const override { return std::max(m_start, m_end); }
    void replaceSelection(std::string_view text) override
    {
        ++m_replacements;
        const int s = selectionStart();
        m_text.replace(static_cast<std::size_t>(s), static_cast<std::size_t>(selectionEnd() - s), text);
        m_start = m_end = s + static_cast<int>(text.size());
    }
    bool hasFocus() const override { return m_focus; }
    int pendingBackspaces() const override { return m_backspaces; }
    void setPendingBackspaces(int count) override { m_backspaces = count; }

    // The operator types at the caret; Backspace where it can only erase sent text counts.
    void type(std::string_view text) { replaceSelection(text); }
    void backspace()
    {
        if (m_text.empty() || (selectionStart() == 0 && selectionEnd() == 0)) {
            ++m_backspaces;
            return;
        }
        if (selectionStart() == selectionEnd()) select(selectionStart() - 1, selectionEnd());
        replaceSelection("");
    }
    void caretToEnd() { select(length(), length()); }
    void setFocus(bool focus) { m_focus = focus; }
    void setText(std::string text)
    {
        m_text = std::move(text);
        m_start = m_end = 0;
    }
    // How often the window was written to (a writer that batches writes once).
    int replacements() const { return m_replacements; }

private:
    std::string m_text;
    int m_start = 0;
    int m_end = 0;
    int m_backspaces = 0;
    int m_replacements = 0;
    bool m_focus = true;
};

}  // namespace vexa::test
