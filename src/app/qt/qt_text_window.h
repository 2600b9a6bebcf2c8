// The core's view of a text window (TextWindow) over a QTextEdit. Text crosses as
// single-byte Latin-1; a paragraph break reads as "\n", and "\r\n", "\r" or "\n" written
// into the window each make one break. Positions count characters as the editor does
// (one per break). The pending backspaces are the control's own count.
#pragma once

#include "common/ports.h"

namespace vexa::ui {
class CMEdit;
}

namespace vexa::app::qt {

class QtTextWindow final : public TextWindow {
public:
    explicit QtTextWindow(ui::CMEdit& edit);

    std::string text() const override;
    int length() const override;
    int caret() const override;
    void select(int start, int end) override;
    int selectionStart() const override;
    int selectionEnd() const override;
    void replaceSelection(std::string_view text) override;
    bool hasFocus() const override;
    int pendingBackspaces() const override;
    void setPendingBackspaces(int count) override;

private:
    ui::CMEdit& m_edit;
};

}  // namespace vexa::app::qt
