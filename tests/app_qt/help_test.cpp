// Help in the real window: the data directory's "Help.txt" in the viewer, one "\r\n" after
// each of its lines, or the message that there is none.
#include <fstream>
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

TEST(Help, AltHOpensTheRealViewerAsAWindowOfItsOwn)
{
    test::DataDirectory data;
    std::ofstream(data.path() / "Help.txt") << "Vexa help\nsecond line\n";
    app::ApplicationGlobals globals;
    test::ScriptedPrompter prompter;
    test::runWindow(globals, {nullptr, &prompter}, [](app::qt::CMainWindow& w) {
        bool seen = false;
        test::onNextModal<ui::TextViewer>([&](ui::TextViewer& viewer) {
            seen = true;
            EXPECT_EQ(viewer.parentWidget(), nullptr);
            EXPECT_EQ(viewer.text(), "Vexa help\r\nsecond line\r\n");
            EXPECT_EQ(viewer.edit().toPlainText(), QStringLiteral("Vexa help\nsecond line\n"));
            viewer.accept();
        });
        // The button's own key, typed where the operator types.
        QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_H, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }, 2000));  // a mnemonic clicks a moment later
    });
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace vexa
