// Vexa's entry point: the Qt application and the main window loop.
#include <QApplication>

#include "app/application_globals.h"
#include "app/qt/application_loop.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vexa"));
    // Lives as long as the application: a rebuilt window finds it as the old one left it.
    vexa::app::ApplicationGlobals globals;
    const int result = vexa::app::qt::RunApplicationLoop(globals, {});
    return result == vexa::app::kResultCancel ? 0 : result;
}
