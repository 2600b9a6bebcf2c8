// The Qt side of the logbook: the entry line's formats for the time stamp and the saved
// entry, the log window, the alert line and the text viewer, as app::LogWindow callbacks.
#pragma once

#include <functional>
#include <string>

#include <QTextCharFormat>

#include "app/log_commands.h"

class QTextEdit;
class QWidget;

namespace vexa::app::qt {

class QtTextWindow;

struct LogWidgets {
    QTextEdit* entryEdit = nullptr;
    QtTextWindow* entryLine = nullptr;
    QTextEdit* receiveEdit = nullptr;
    QTextEdit* logEdit = nullptr;
    QTextEdit* alertEdit = nullptr;
    const QTextCharFormat* normal = nullptr;
    const QTextCharFormat* timeStamp = nullptr;
    const QTextCharFormat* saved = nullptr;
    QWidget* viewerParent = nullptr;
    // Null: the "Viewer" dialog (ui/text_viewer.h).
    std::function<void(const std::string&)> viewer;
};

// The callbacks over the widgets; the window adds the frequency and mode boxes and the GMT
// switch.
LogWindow qtLogWindow(const LogWidgets& widgets);

}  // namespace vexa::app::qt
