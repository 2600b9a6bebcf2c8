#include "app/qt/qt_prompter.h"

#include <QMessageBox>

#include "ui/input_box.h"
#include "ui/latin1_text.h"

namespace vexa::app::qt {

namespace {
QString q(std::string_view s)
{
    return ui::fromLatin1Lines(s);
}
}  // namespace

std::optional<std::string> QtPrompter::askText(std::string_view prompt, std::string_view proposal)
{
    return ui::askInputBox(m_parent, prompt, proposal);
}

Prompter::Answer QtPrompter::askYesNoCancel(std::string_view text, std::string_view caption)
{
    const auto button =
        QMessageBox::question(m_parent, q(caption), q(text),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes) return Answer::Yes;
    if (button == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

void QtPrompter::inform(std::string_view text, std::string_view caption)
{
    QMessageBox::information(m_parent, q(caption), q(text));
}

}  // namespace vexa::app::qt
