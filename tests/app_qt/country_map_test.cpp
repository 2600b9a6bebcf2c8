// The station map in the real window: drawn at start, the beam line and note for the call in
// the entry line, and the Info command on its selection.
#include <gtest/gtest.h>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

#include "support/scripted_prompter.h"
#include "support/window_harness.h"

namespace vexa::app::qt {
namespace {

TEST(CountryMap, ShowsTheStationAndTheEnteredCallsBeamHeading)
{
    ApplicationGlobals globals;
    globals.settings.station.latitude = 52.5;
    globals.settings.station.longitude = 13.4;
    test::ScriptedPrompter prompter;
    test::runWindow(globals, {.prompter = &prompter}, [&](CMainWindow& window) {
        auto* map = window.findChild<QLabel*>(QStringLiteral("1163"));
        auto* entry = window.findChild<QTextEdit*>(QStringLiteral("1002"));
        ASSERT_TRUE(map && entry);
        ASSERT_FALSE(map->pixmap().isNull());
        const QImage station = map->pixmap().toImage();
        EXPECT_EQ(station.pixelColor(64, 64), QColor(250, 250, 0));

        entry->setPlainText(QStringLiteral("JA1ABC"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return map->pixmap().toImage() != station; }, 2000));
        // The note sits below the centre, as the line to Japan points up.
        const QImage withCall = map->pixmap().toImage();
        int yellow = 0;
        for (int y = 68; y <= 118; ++y)
            for (int x = 20; x <= 108; ++x)
                if (withCall.pixelColor(x, y) == QColor(240, 240, 0)) ++yellow;
        EXPECT_GT(yellow, 20);
        if (const char* shot = std::getenv("VEXA_MAP_SCREENSHOT"))
            window.grab().save(QString::fromLocal8Bit(shot));

        entry->selectAll();
        window.OnCommand(ControlId::InfoKey, CommandOrigin::Accelerator);
        ASSERT_FALSE(prompter.shown.empty());
        EXPECT_EQ(prompter.shown.back().extra, "Beaming info");
        EXPECT_EQ(prompter.shown.back().text.rfind("JA1ABC:\r\nJapan (JA)", 0), 0u);
    });
}

}  // namespace
}  // namespace vexa::app::qt
