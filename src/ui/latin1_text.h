// Vexa's text is single-byte with CR LF line ends; Qt's edits hold Unicode with plain line
// breaks. These convert between the two.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace vexa::ui {

// Latin-1 to Unicode; "\r\n", "\r" and "\n" each become one line break.
QString fromLatin1Lines(std::string_view text);
// Unicode to Latin-1 (characters outside it become '?'), line breaks as they are.
std::string toLatin1(const QString& text);

}  // namespace vexa::ui
