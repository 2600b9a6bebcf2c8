// Help in the real window: the data directory's "Help.txt" in the viewer, one "\r\n" after
// each of its lines, or the message that there is none.
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include "app/qt/main_window.h"
#include "support/data_directory.h"
#include "support/next_modal.h"
#include "support/scripted_prompter.h"
#include "support/window_harness.h"
#include "ui/text_viewer.h"

namespace vexa {
namespace {

using app::ControlId;

TEST(Help, ShowsHelpTxtLineByLineOrSaysThatItIsMissing)
{
    struct Case {
        const char* name;
        std::optional<std::string> file;  // nullopt: no Help.txt
        bool directory;                   // Help.txt is a directory
        std::string shown;                // what the viewer gets; empty: nothing shown
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"no file", std::nullopt, false, "", {"Help file is not found"}},
        {"two lines",
         "F1..F12: macros\nAlt+X: transmit\n",
         false,
         "F1..F12: macros\r\nAlt+X: transmit\r\n",
         {}},
        {"CR LF ends, the last line unended", "one\r\ntwo", false, "one\r\ntwo\r\n", {}},
        {"a directory of that name", std::nullopt, true, "", {"Help.txt could not be read: Is a directory"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::DataDirectory data;
        if (c.file) std::ofstream(data.path() / "Help.txt", std::ios::binary) << *c.file;
        if (c.directory) std::filesystem::create_directory(data.path() / "Help.txt");
        app::ApplicationGlobals globals;
        test::ScriptedPrompter prompter;
        std::string shown;
        app::qt::MainWindowServices services{nullptr, &prompter};
        services.viewer = [&shown](const std::string& text) { shown = text; };
        test::runWindow(globals, services, [](app::qt::CMainWindow& w) { w.OnCommand(ControlId::Help); });
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(prompter.shownTexts(), c.messages);
        for (const auto& s : prompter.shown) EXPECT_EQ(s.extra, "Vexa");
    }
}

// The help, the log search and the statistics all show the one real "Viewer": the help as a
// window of its own, the log's texts over the main window.
TEST(Help, HelpSearchAndStatisticsOpenTheRealViewer)
{
    test::DataDirectory data;
    std::ofstream(data.path() / "Help.txt") << "Vexa help\nsecond line\n";
    std::ofstream(data.path() / "log.log") << "DL1ABC 08/Dec/2026 10:00:00z PSK31 14.070.500 Hans\r\n\r\n";
    app::ApplicationGlobals globals;
    test::ScriptedPrompter prompter;
    prompter.textAnswers = {std::string("dl1abc")};  // the search string
    test::runWindow(globals, {nullptr, &prompter}, [](app::qt::CMainWindow& w) {
        struct Case {
            const char* name;
            std::function<void()> trigger;
            bool ownWindow;
            QString start;  // empty: any text
        };
        const std::vector<Case> cases = {
            // The button's own key, typed where the operator types; it clicks a moment later.
            {"Alt+H",
             [&w] { QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_H, Qt::AltModifier); },
             true, QStringLiteral("Vexa help\nsecond line\n")},
            {"Look", [&w] { w.OnCommand(ControlId::Look); }, false, QStringLiteral("Looking for dl1abc")},
            {"statistics", [&w] { w.OnCommand(ControlId::MapPicture); }, false, QString()},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            std::optional<QString> shown;
            test::onNextModal<ui::TextViewer>([&](ui::TextViewer& viewer) {
                EXPECT_EQ(viewer.parentWidget() == nullptr, c.ownWindow);
                EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Viewer"));
                shown = viewer.edit().toPlainText();
                QTest::keyClick(&viewer, Qt::Key_Escape);
            });
            c.trigger();
            ASSERT_TRUE(QTest::qWaitFor([&] { return shown.has_value(); }, 2000));
            EXPECT_FALSE(shown->isEmpty());
            if (!c.start.isEmpty()) {
                EXPECT_TRUE(shown->startsWith(c.start)) << shown->toStdString();
            }
        }
    });
}

}  // namespace
}  // namespace vexa
