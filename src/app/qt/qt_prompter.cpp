#include "app/qt/qt_prompter.h"

#include <QInputDialog>
#include <QMessageBox>

namespace vexa::app::qt {

namespace {
QString q(std::string_view s)
{
    QString text = QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}
}  // namespace

std::optional<std::string> QtPrompter::askText(std::string_view prompt, std::string_view proposal)
{
    bool ok = false;
    const QString text = QInputDialog::getMultiLineText(m_parent, QString(), q(prompt), q(proposal), &ok);
    if (!ok) return std::nullopt;
    return text.toLatin1().toStdString();
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
