#include "ui/cm_edit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>
#include <QTextCursor>

namespace vexa::ui {

CMEdit::CMEdit(QWidget* parent) : QTextEdit(parent) {}

std::unique_ptr<QMenu> CMEdit::createContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    auto add = [&menu](const char* caption, Command command) {
        menu->addAction(QString::fromLatin1(caption))->setData(static_cast<int>(command));
    };
    if (textCursor().hasSelection()) {
        add("&Copy", Copy);
        add("C&ut", Cut);
    }
    if (canPaste()) add("&Paste", Paste);
    add("Cl&ear", Clear);
    add("Print", PrintText);
    return menu;
}

void CMEdit::runCommand(Command command)
{
    switch (command) {
        case Copy:
            copy();
            break;
        case Cut:
            cut();
            break;
        case Paste:
            paste();
            break;
        case Clear: {
            // Through the cursor, so a read-only window is cleared too and the change is
            // reported like any edit.
            QTextCursor all(document());
            all.select(QTextCursor::Document);
            all.removeSelectedText();
            break;
        }
        case PrintText:
            Print();
            break;
    }
}

void CMEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu = createContextMenu();
    if (m_menuOpen) m_menuOpen(true);
    const QAction* chosen = menu->exec(event->globalPos());
    if (m_menuOpen) m_menuOpen(false);
    // The command runs once the menu is gone and received text flows again.
    if (chosen != nullptr) runCommand(static_cast<Command>(chosen->data().toInt()));
    event->accept();
}

void CMEdit::keyPressEvent(QKeyEvent* event)
{
    // A backspace with nothing before the caret can only take back what was already sent.
    if (event->key() == Qt::Key_Backspace) {
        const QTextCursor cursor = textCursor();
        if (document()->isEmpty() || (cursor.selectionStart() == 0 && cursor.selectionEnd() == 0))
            ++m_pendingBackspaces;
    }
    QTextEdit::keyPressEvent(event);
}

void CMEdit::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Vexa"));
    const bool hasSelection = textCursor().hasSelection();
    const std::optional<PrintRange> range =
        m_printDialog ? m_printDialog(printer, hasSelection) : askPrintRange(printer, hasSelection, this);
    if (range) (void)printText(*this, *range, printer);
}

}  // namespace vexa::ui
