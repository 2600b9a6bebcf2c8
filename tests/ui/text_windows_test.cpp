// The text control of the main window's text windows (its menu, its commands, the backspaces
// it counts, printing to a PDF file read back with poppler's tools) and the two small dialogs,
// the viewer and the input box, driven as the operator would.
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/next_modal.h"
#include "support/shell_run.h"
#include "support/temp_dir.h"
#include "ui/cm_edit.h"
#include "ui/input_box.h"
#include "ui/text_printer.h"
#include "ui/text_viewer.h"

namespace vexa::ui {
namespace {

QStringList captions(QMenu& menu)
{
    QStringList out;
    for (const QAction* a : menu.actions()) out << a->text();
    return out;
}

TEST(CMEdit, TheMenuOffersWhatTheSelectionAndTheClipboardAllow)
{
    struct Case {
        bool selection;
        const char* clipboard;  // nullptr: no text on it
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {false, nullptr, {"Cl&ear", "Print"}},
        {false, "CQ", {"&Paste", "Cl&ear", "Print"}},
        {true, nullptr, {"&Copy", "C&ut", "Cl&ear", "Print"}},
        {true, "CQ", {"&Copy", "C&ut", "&Paste", "Cl&ear", "Print"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "selection " << c.selection << " clipboard " << !!c.clipboard);
        QApplication::clipboard()->clear();
        if (c.clipboard) QApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
        CMEdit edit;
        edit.setPlainText(QStringLiteral("DL1ABC 599"));
        if (c.selection) edit.selectAll();
        EXPECT_EQ(captions(*edit.createContextMenu()), c.expected);
    }
}

TEST(CMEdit, MenuCommandsCutPasteAndClearTheWindow)
{
    CMEdit edit;
    edit.setPlainText(QStringLiteral("cq de DL1ABC"));
    QTextCursor c = edit.textCursor();
    c.setPosition(6);
    c.setPosition(12, QTextCursor::KeepAnchor);
    edit.setTextCursor(c);
    edit.runCommand(CMEdit::Cut);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("cq de "));
    edit.runCommand(CMEdit::Paste);
    edit.runCommand(CMEdit::Paste);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("cq de DL1ABCDL1ABC"));
    edit.runCommand(CMEdit::Clear);
    EXPECT_EQ(edit.toPlainText(), QString());
}

TEST(CMEdit, ARightClickHoldsReceptionWhileTheMenuIsOpenAndClearsAReadOnlyWindow)
{
    CMEdit edit;
    edit.setReadOnly(true);  // as the receive window
    edit.setPlainText(QStringLiteral("received text"));
    edit.resize(300, 100);
    edit.show();
    std::vector<bool> hook;
    edit.setMenuOpenHook([&hook](bool open) { hook.push_back(open); });
    QStringList shown;
    std::vector<bool> whileOpen;
    test::onNextModal<QMenu>([&](QMenu& menu) {
        shown = captions(menu);
        whileOpen = hook;
        QTest::keyClick(&menu, Qt::Key_E);  // Cl&ear
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                            edit.viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(edit.viewport(), &click);
    EXPECT_EQ(shown, (QStringList{"Cl&ear", "Print"}));
    EXPECT_EQ(whileOpen, std::vector<bool>{true});
    EXPECT_EQ(hook, (std::vector<bool>{true, false}));
    EXPECT_EQ(edit.toPlainText(), QString());
}

TEST(CMEdit, BackspacesCountOnlyWhereNothingUnsentCanBeErased)
{
    CMEdit edit;
    edit.show();
    for (int i = 0; i < 3; ++i) QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.pendingBackspaces(), 3);
    QTest::keyClicks(&edit, QStringLiteral("abc"));
    QTest::keyClick(&edit, Qt::Key_Backspace);  // erases the unsent "c"
    EXPECT_EQ(edit.pendingBackspaces(), 3);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("ab"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.pendingBackspaces(), 4);
}

// The text of a PDF page range, and its page count, by poppler's tools.
struct PdfText {
    int pages = 0;
    std::string title;
    std::string text;
};

PdfText readPdf(const std::string& file)
{
    PdfText pdf;
    const test::ShellRun info = test::runShell("pdfinfo '" + file + "' 2>/dev/null");
    std::sscanf(info.out.c_str() + std::min(info.out.find("Pages:"), info.out.size()), "Pages: %d",
                &pdf.pages);
    if (const auto t = info.out.find("Title:"); t != std::string::npos) {
        const auto start = info.out.find_first_not_of(' ', t + 6);
        pdf.title = info.out.substr(start, info.out.find('\n', t) - start);
    }
    pdf.text = test::runShell("pdftotext -layout '" + file + "' - 2>/dev/null").out;
    return pdf;
}

QString numberedLines(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("line %1 of the log\n").arg(i, 3, 10, QLatin1Char('0'));
    return text;
}

int occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::string lineName(int i)
{
    char name[16];
    std::snprintf(name, sizeof name, "line %03d", i);
    return name;
}

TEST(CMEdit, PrintsTheSelectionOrAllTextOverAsManyPagesAsItNeeds)
{
    if (test::runShell("command -v pdftotext pdfinfo >/dev/null").status != 0)
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";
    struct Case {
        const char* name;
        int firstLine, lastLine;  // selected lines; 0: no selection
        bool chooseSelection;
        int printedFirst, printedLast;
        bool severalPages;
    };
    const std::vector<Case> cases = {
        {"a few selected lines", 40, 45, true, 40, 45, false},
        {"all text although there is a selection", 40, 45, false, 1, 150, true},
        {"a selection longer than a page", 10, 120, true, 10, 120, true},
        {"no selection", 0, 0, false, 1, 150, true},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMEdit edit;
        QFont font = edit.font();
        font.setPointSize(12);
        edit.setFont(font);
        edit.setPlainText(numberedLines(150));
        if (c.firstLine > 0) {
            const QString all = edit.toPlainText();
            QTextCursor cursor = edit.textCursor();
            cursor.setPosition(all.indexOf(QString::fromStdString(lineName(c.firstLine))));
            cursor.setPosition(
                all.indexOf(QLatin1Char('\n'), all.indexOf(QString::fromStdString(lineName(c.lastLine)))),
                QTextCursor::KeepAnchor);
            edit.setTextCursor(cursor);
        }
        const std::string file = dir.file(std::string(c.name) + ".pdf");
        std::optional<bool> offeredSelection;
        edit.setPrintDialog([&](QPrinter& printer, bool hasSelection) -> std::optional<PrintRange> {
            offeredSelection = hasSelection;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(file));
            return c.chooseSelection ? PrintRange::Selection : PrintRange::AllText;
        });
        edit.runCommand(CMEdit::PrintText);
        EXPECT_EQ(offeredSelection, std::optional<bool>(c.firstLine > 0));

        const PdfText pdf = readPdf(file);
        EXPECT_EQ(pdf.title, "Vexa");
        EXPECT_EQ(pdf.pages > 1, c.severalPages) << pdf.pages << " pages";
        for (int i = 1; i <= 150; ++i) {
            // Once: a line is never cut in two at the end of a page.
            const bool printed = i >= c.printedFirst && i <= c.printedLast;
            EXPECT_EQ(occurrences(pdf.text, lineName(i) + " of the log"), printed ? 1 : 0) << lineName(i);
        }
    }
}

TEST(CMEdit, ThePrintDialogPreselectsTheSelectionAndOffersNoPageNumbers)
{
    for (const bool selection : {true, false}) {
        SCOPED_TRACE(selection ? "with a selection" : "without");
        QPrinter printer;
        std::optional<QAbstractPrintDialog::PrintRange> preselected;
        bool pageRangeOffered = true;
        test::onNextModal<QPrintDialog>([&](QPrintDialog& dialog) {
            preselected = dialog.printRange();
            pageRangeOffered = dialog.testOption(QAbstractPrintDialog::PrintPageRange);
            dialog.done(QDialog::Rejected);
        });
        EXPECT_EQ(askPrintRange(printer, selection, nullptr), std::nullopt);  // cancelled: nothing printed
        EXPECT_EQ(preselected, selection ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
        EXPECT_FALSE(pageRangeOffered);
    }
}

TEST(TextViewer, ShowsTheTextReadOnlyFromTheTopWithBothScrollBars)
{
    std::string lines;
    for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\r\n";
    bool seen = false;
    test::onNextModal<TextViewer>([&](TextViewer& viewer) {
        seen = true;
        EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Viewer"));
        EXPECT_EQ(viewer.text(), lines);
        QPlainTextEdit& edit = viewer.edit();
        EXPECT_TRUE(edit.isReadOnly());
        EXPECT_EQ(edit.blockCount(), 201);
        EXPECT_EQ(edit.document()->findBlockByNumber(199).text(), QStringLiteral("line 199"));
        EXPECT_EQ(edit.textCursor().position(), 0);
        EXPECT_EQ(edit.verticalScrollBar()->value(), 0);
        EXPECT_EQ(edit.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(edit.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QTest::keyClick(&viewer, Qt::Key_Escape);
    });
    showTextViewer(nullptr, lines);
    EXPECT_TRUE(seen);
}

TEST(InputBox, ProposesTheValueSelectedAndReturnsTheTextOnlyOnOk)
{
    const auto button = [](QDialogButtonBox::StandardButton which) {
        return [which](InputBox& box) { box.findChild<QDialogButtonBox*>()->button(which)->click(); };
    };
    const auto key = [](Qt::Key k) { return [k](InputBox& box) { QTest::keyClick(&box.edit(), k); }; };
    struct Case {
        const char* name;
        const char* typed;
        bool newLine;  // Ctrl+Enter, then "x"
        std::function<void(InputBox&)> close;
        std::optional<std::string> result;
    };
    const std::vector<Case> cases = {
        {"typing replaces the proposal", "579", false, button(QDialogButtonBox::Ok), "579"},
        {"Enter confirms", "559", false, key(Qt::Key_Return), "559"},
        {"Ctrl+Enter starts a line", "a", true, key(Qt::Key_Return), "a\nx"},
        {"Cancel keeps the caller's value", "579", false, button(QDialogButtonBox::Cancel), std::nullopt},
        {"Escape too", "579", false, key(Qt::Key_Escape), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::onNextModal<InputBox>([&c](InputBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Input box"));
            EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("1048"))->text(), QStringLiteral("RST:"));
            QPlainTextEdit& edit = box.edit();
            EXPECT_EQ(box.focusWidget(), &edit);
            EXPECT_EQ(edit.textCursor().selectedText(), QStringLiteral("599"));
            QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
            if (c.newLine) {
                QTest::keyClick(&edit, Qt::Key_Return, Qt::ControlModifier);
                QTest::keyClicks(&edit, QStringLiteral("x"));
            }
            c.close(box);
        });
        EXPECT_EQ(askInputBox(nullptr, "RST:", "599"), c.result);
    }
}

}  // namespace
}  // namespace vexa::ui
