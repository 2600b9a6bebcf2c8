// Vexa's application icon (the program's icon resource 128): its own picture in every size
// the desktop draws it, for the window frame, the task bar and the About box.
#pragma once

#include <QIcon>

namespace vexa::app::qt {

QIcon applicationIcon();

}  // namespace vexa::app::qt
