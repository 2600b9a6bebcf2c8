// The logbook's callbacks over the main window's widgets.
#include "app/qt/log_window_port.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextEdit>

#include "app/qt/qt_text_window.h"
#include "ui/latin1_text.h"
#include "ui/text_viewer.h"

namespace vexa::app::qt {

namespace {

QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// The log's lines end in CR LF; the edit wants plain line breaks.
QString lines(const std::string& s)
{
    return ui::fromLatin1Lines(s);
}

}  // namespace

LogWindow qtLogWindow(const LogWidgets& w)
{
    LogWindow window;
    window.entryLine = w.entryLine;
    window.setEntryText = [w](const std::string& text) {
        w.entryEdit->clear();
        w.entryEdit->setCurrentCharFormat(*w.normal);
        w.entryEdit->insertPlainText(latin1(text));
    };
    window.showStamp = [w](const std::string& line, const std::string& suffix) {
        w.entryEdit->clear();
        QTextCursor cursor = w.entryEdit->textCursor();
        cursor.insertText(latin1(line), *w.normal);
        cursor.insertText(latin1(suffix), *w.timeStamp);
        w.entryEdit->setTextCursor(cursor);
        w.entryEdit->setCurrentCharFormat(*w.normal);
    };
    window.showSaved = [w] {
        // Only the colour changes; LogCommands plays the change notification itself.
        const bool blocked = w.entryEdit->blockSignals(true);
        QTextCursor cursor(w.entryEdit->document());
        cursor.select(QTextCursor::Document);
        cursor.setCharFormat(*w.saved);
        w.entryEdit->blockSignals(blocked);
        cursor.clearSelection();
        cursor.movePosition(QTextCursor::Start);
        w.entryEdit->setTextCursor(cursor);
        w.entryEdit->setCurrentCharFormat(*w.normal);
        w.entryEdit->setFocus(Qt::OtherFocusReason);
    };
    window.appendLogLines = [w](const std::string& text) {
        if (w.logEdit == nullptr) return;
        QTextCursor cursor = w.logEdit->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(lines(text));
        w.logEdit->setTextCursor(cursor);
        w.logEdit->ensureCursorVisible();
    };
    window.showAlert = [w](const std::string& text) {
        if (w.alertEdit) w.alertEdit->setPlainText(latin1(text));
    };
    window.showText = w.viewer ? w.viewer : [parent = w.viewerParent](const std::string& text) {
        ui::showTextViewer(parent, text);
    };
    window.focusEntry = [w] { w.entryEdit->setFocus(Qt::OtherFocusReason); };
    window.focusLog = [w] {
        if (w.logEdit && w.logEdit->isVisible()) w.logEdit->setFocus(Qt::OtherFocusReason);
    };
    window.receiveCaretToEnd = [w] {
        if (w.receiveEdit) w.receiveEdit->moveCursor(QTextCursor::End);
    };
    window.typeSpaceAndMoveCarets = [w] {
        w.entryEdit->textCursor().insertText(QStringLiteral(" "), *w.normal);
        w.entryEdit->moveCursor(QTextCursor::End);
        if (w.receiveEdit) w.receiveEdit->moveCursor(QTextCursor::End);
    };
    window.shiftHeld = [] { return (QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0; };
    return window;
}

}  // namespace vexa::app::qt
