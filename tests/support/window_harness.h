// Runs the real main window through the application loop on the offscreen platform: the
// test's `drive` runs inside the first window's event loop once it is shown, and the
// window is closed afterwards if `drive` left it open.
#pragma once

#include <functional>
#include <vector>

#include <gtest/gtest.h>
#include <QTest>
#include <QTimer>

#include "app/qt/application_loop.h"
#include "app/qt/main_window.h"

namespace vexa::test {

// `built` (optional) receives the layout of every window the loop builds.
inline void runWindow(app::ApplicationGlobals& globals, app::qt::MainWindowServices services,
                      std::function<void(app::qt::CMainWindow&)> drive,
                      std::vector<app::MainWindowTemplate>* built = nullptr)
{
    app::qt::runApplicationLoop(globals, services, [&](app::qt::CMainWindow& window) {
        if (built) built->push_back(globals.mainWindowTemplate);
        QTimer::singleShot(0, &window, [&window, drive] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
            window.activateWindow();
            (void)QTest::qWaitForWindowActive(&window);
            drive(window);
            if (window.isVisible()) window.done(0);
        });
    });
}

// Gives `widget` the keyboard focus and waits (up to 2 s) until the window system has
// moved it there.
inline bool focus(QWidget* widget)
{
    widget->setFocus();
    return QTest::qWaitFor([widget] { return widget->hasFocus(); }, 2000);
}

// The window with `sound` as its sound card (and `transceiver` when given), every setting at
// its default.
inline void runWindowWithSound(engine::WaveBackend& sound, std::function<void(app::qt::CMainWindow&)> drive,
                               rig::TransceiverPort* transceiver = nullptr)
{
    app::ApplicationGlobals globals;
    app::qt::MainWindowServices services;
    services.sound = &sound;
    services.transceiver = transceiver;
    runWindow(globals, services, std::move(drive));
}

}  // namespace vexa::test
