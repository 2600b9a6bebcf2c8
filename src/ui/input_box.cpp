#include "ui/input_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include "ui/latin1_text.h"
#include "ui/ok_cancel_layout.h"

namespace vexa::ui {

InputBox::InputBox(std::string_view prompt, std::string_view text, QWidget* parent)
    : QDialog(parent), m_prompt(new QLabel(fromLatin1Lines(prompt), this)), m_edit(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Input box"));
    m_prompt->setObjectName(QStringLiteral("1048"));
    m_edit->setObjectName(QStringLiteral("1049"));
    m_edit->setPlainText(fromLatin1Lines(text));
    m_edit->setTabChangesFocus(true);
    m_edit->installEventFilter(this);
    m_prompt->setBuddy(m_edit);

    layOutWithOkCancel(*this, {m_prompt, m_edit}, QSize(360, 160));
}

std::string InputBox::text() const
{
    return toLatin1(m_edit->toPlainText());
}

void InputBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
    m_edit->ensureCursorVisible();
}

bool InputBox::eventFilter(QObject* watched, QEvent* event)
{
    // Most answers are one word: Enter confirms it, as in any dialog, so that no stray line
    // break ends up in a report or a label. Ctrl+Enter or Shift+Enter starts a new line.
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (mods == Qt::NoModifier) {
                accept();
            } else {
                m_edit->textCursor().insertText(QStringLiteral("\n"));
                m_edit->ensureCursorVisible();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::string> askInputBox(QWidget* parent, std::string_view prompt, std::string_view text)
{
    InputBox box(prompt, text, parent);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.text();
}

}  // namespace vexa::ui
