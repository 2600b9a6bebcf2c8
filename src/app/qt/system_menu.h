// The "≡" menu in the map picture's corner: the entries a window manager's system menu
// would carry (Setup, About, Close), plus the commands whose buttons lie beyond the
// window's edge, where the mouse cannot reach them.
#pragma once

#include <QString>

#include <functional>
#include <vector>

class QRect;
class QToolButton;
class QWidget;

namespace vexa::app::qt {

struct SystemMenuEntry {
    QString caption;  // empty: a separator
    std::function<void()> run;
    std::function<bool()> enabled{};  // asked each time the menu opens; empty: always
};

QToolButton* buildSystemMenu(QWidget& window, const QRect& mapPicture,
                             const std::vector<SystemMenuEntry>& entries);

}  // namespace vexa::app::qt
