#include "app/qt/system_menu.h"

#include <QMenu>
#include <QRect>
#include <QToolButton>

namespace vexa::app::qt {

QToolButton* buildSystemMenu(QWidget& window, const QRect& mapPicture,
                             const std::vector<SystemMenuEntry>& entries)
{
    auto* button = new QToolButton(&window);
    button->setObjectName(QStringLiteral("systemMenu"));
    button->setText(QStringLiteral("\u2261"));
    button->setToolTip(QStringLiteral("Menu"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    auto* menu = new QMenu(button);
    for (const SystemMenuEntry& e : entries) {
        if (e.caption.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(e.caption, &window, e.run);
        // The features add their commands after the controls are built, so ask late.
        if (e.enabled) {
            QObject::connect(menu, &QMenu::aboutToShow, action,
                             [action, enabled = e.enabled] { action->setEnabled(enabled()); });
        }
    }
    button->setMenu(menu);
    button->setStyleSheet(
        QStringLiteral("QToolButton { color: white; font-weight: bold; }"
                       "QToolButton::menu-indicator { image: none; }"));
    button->setGeometry(mapPicture.right() - 17, mapPicture.top() + 1, 17, 17);
    button->raise();
    return button;
}

}  // namespace vexa::app::qt
