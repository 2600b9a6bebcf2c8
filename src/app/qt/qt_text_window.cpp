#include "app/qt/qt_text_window.h"

#include <algorithm>

#include <QTextCursor>
#include <QTextDocument>

#include "ui/cm_edit.h"
#include "ui/latin1_text.h"

namespace vexa::app::qt {

QtTextWindow::QtTextWindow(ui::CMEdit& edit) : m_edit(edit) {}

std::string QtTextWindow::text() const
{
    return ui::toLatin1(m_edit.toPlainText());
}

int QtTextWindow::length() const
{
    return m_edit.document()->characterCount() - 1;
}

int QtTextWindow::caret() const
{
    return m_edit.textCursor().position();
}

void QtTextWindow::select(int start, int end)
{
    const int n = length();
    QTextCursor cursor(m_edit.document());
    cursor.setPosition(std::clamp(start, 0, n));
    cursor.setPosition(std::clamp(end, 0, n), QTextCursor::KeepAnchor);
    m_edit.setTextCursor(cursor);
}

int QtTextWindow::selectionStart() const
{
    return m_edit.textCursor().selectionStart();
}

int QtTextWindow::selectionEnd() const
{
    return m_edit.textCursor().selectionEnd();
}

void QtTextWindow::replaceSelection(std::string_view text)
{
    QTextCursor cursor = m_edit.textCursor();
    cursor.insertText(ui::fromLatin1Lines(text), m_edit.currentCharFormat());
    m_edit.setTextCursor(cursor);
    m_edit.ensureCursorVisible();
}

int QtTextWindow::pendingBackspaces() const
{
    return m_edit.pendingBackspaces();
}

void QtTextWindow::setPendingBackspaces(int count)
{
    m_edit.setPendingBackspaces(count);
}

bool QtTextWindow::hasFocus() const
{
    return m_edit.hasFocus();
}

}  // namespace vexa::app::qt
