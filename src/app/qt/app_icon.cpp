#include "app/qt/app_icon.h"

#include <QString>

namespace vexa::app::qt {

QIcon applicationIcon()
{
    // Rendered sizes rather than the SVG: they need no image plugin and stay sharp small.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vexa-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace vexa::app::qt
