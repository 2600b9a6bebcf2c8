// The core's view of a text window (TextWindow) over a QTextEdit. Text crosses as
// single-byte Latin-1; a paragraph break reads as "\n", and "\r\n", "\r" or "\n" written
// into the window each make one break. Positions count characters as the editor does
// (one per break).
#pragma once

#include "common/ports.h"

class QTextEdit;

namespace vexa::app::qt {

class QtTextWindow final : public TextWindow {
public:
    explicit QtTextWindow(QTextEdit& edit);

    std::string text() const override;
    int length() const override;
    int caret() const override;
    void select(int start, int end) override;
    int selectionStart() const override;
    int selectionEnd() const override;
    void replaceSelection(std::string_view text) override;
    bool hasFocus() const override;
    int pendingBackspaces() const override { return m_pendingBackspaces; }
    void setPendingBackspaces(int count) override { m_pendingBackspaces = count; }

    // The operator typed Backspace: when it can only erase text already sent (the window
    // is empty or the caret sits at the start with nothing selected), it is counted so the
    // transmit path sends it.
    void countBackspace();

private:
    QTextEdit& m_edit;
    int m_pendingBackspaces = 0;
};

}  // namespace vexa::app::qt
