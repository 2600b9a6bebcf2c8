#include "ui/latin1_text.h"

namespace vexa::ui {

QString fromLatin1Lines(std::string_view text)
{
    QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

std::string toLatin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

}  // namespace vexa::ui
