#include "ui/text_viewer.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

#include "ui/latin1_text.h"
#include "ui/ok_cancel_layout.h"

namespace vexa::ui {

TextViewer::TextViewer(const std::string& text, QWidget* parent)
    : QDialog(parent), m_text(text), m_edit(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Viewer"));
    m_edit->setObjectName(QStringLiteral("1128"));
    m_edit->setReadOnly(true);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_edit->setPlainText(fromLatin1Lines(text));
    // Opened at the top, whatever the text's length.
    QTextCursor start = m_edit->textCursor();
    start.movePosition(QTextCursor::Start);
    m_edit->setTextCursor(start);
    m_edit->ensureCursorVisible();

    layOutWithOkCancel(*this, {m_edit}, QSize(640, 480));
}

void showTextViewer(QWidget* parent, const std::string& text)
{
    TextViewer viewer(text, parent);
    viewer.exec();
}

}  // namespace vexa::ui
