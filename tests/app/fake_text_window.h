// An in-memory text window: the text, one selection, a focus flag the test sets.
#pragma once

#include <algorithm>
#include <string>

#include "common/ports.h"

namespace vexa::test {

class FakeTextWindow final : public TextWindow {
public:
    std::string content;
    int selStart = 0;
    int selEnd = 0;
    bool focused = false;
    int replaceCalls = 0;

    std::string text() const override { return content; }
    int length() const override { return static_cast<int>(content.size()); }
    int caret() const override { return selEnd; }
    void select(int start, int end) override
    {
        selStart = std::clamp(start, 0, length());
        selEnd = std::clamp(end, 0, length());
    }
    int selectionStart() const override { return std::min(selStart, selEnd); }
    int selectionEnd() const override { return std::max(selStart, selEnd); }
    void replaceSelection(std::string_view text) override
    {
        ++replaceCalls;
        const int a = selectionStart();
        content.replace(a, selectionEnd() - a, text);
        selStart = selEnd = a + static_cast<int>(text.size());
    }
    bool hasFocus() const override { return focused; }
};

}  // namespace vexa::test
