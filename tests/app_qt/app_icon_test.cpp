// The application icon: built into the program in every size, set on the main window, and
// shown in the About box.
#include "app/qt/app_icon.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include "app/qt/application_loop.h"

namespace vexa::app::qt {
namespace {

TEST(AppIcon, EverySizeIsBuiltIn)
{
    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        // The middle of the picture is the opaque panel, not a transparent placeholder.
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
}

TEST(AppIcon, TheMainWindowAndItsAboutBoxShowIt)
{
    ApplicationGlobals globals;
    const QImage expected = applicationIcon().pixmap(32, 32).toImage();
    QImage shownInAbout;
    runApplicationLoop(globals, {}, [&](CMainWindow& window) {
        QTimer::singleShot(0, &window, [&] {
            EXPECT_EQ(window.windowIcon().pixmap(32, 32).toImage(), expected);
            QTimer::singleShot(50, [&] {
                auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (about == nullptr) return;
                for (QLabel* l : about->findChildren<QLabel*>())
                    if (!l->pixmap().isNull()) shownInAbout = l->pixmap().toImage();
                about->accept();
            });
            window.OnCommand(ControlId::About);
            window.OnCommand(ControlId::Close);
        });
    });
    EXPECT_EQ(shownInAbout, expected);
}

}  // namespace
}  // namespace vexa::app::qt
