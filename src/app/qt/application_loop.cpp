#include "app/qt/application_loop.h"

#include <memory>

#include <QCoreApplication>
#include <QEvent>

#include "app/qt/app_icon.h"

namespace vexa::app::qt {

void runApplicationLoop(ApplicationGlobals& globals, const MainWindowServices& services,
                        const std::function<void(CMainWindow&)>& onWindowBuilt)
{
    for (;;) {
        WindowEnd result = WindowEnd::Close;
        {
            auto window = std::make_unique<CMainWindow>(globals, services);
            window->setWindowIcon(applicationIcon());
            if (onWindowBuilt) onWindowBuilt(*window);
            result = window->run();
        }
        if (result != WindowEnd::Rebuild) return;
        // Let everything the old window left behind (posted events, deferred deletes,
        // queued audio blocks) run out before the new one is built.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace vexa::app::qt
