#include "app/qt/qt_text_window.h"

#include <algorithm>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace vexa::app::qt {

namespace {

QString fromSingleByte(std::string_view text)
{
    QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

}  // namespace

QtTextWindow::QtTextWindow(QTextEdit& edit) : m_edit(edit) {}

std::string QtTextWindow::text() const
{
    return m_edit.toPlainText().toLatin1().toStdString();
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
    cursor.insertText(fromSingleByte(text), m_edit.currentCharFormat());
    m_edit.setTextCursor(cursor);
    m_edit.ensureCursorVisible();
}

void QtTextWindow::countBackspace()
{
    if (length() == 0 || (selectionStart() == 0 && selectionEnd() == 0)) ++m_pendingBackspaces;
}

bool QtTextWindow::hasFocus() const
{
    return m_edit.hasFocus();
}

}  // namespace vexa::app::qt
