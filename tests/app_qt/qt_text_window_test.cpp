// The text-window adapter over a real QTextEdit: positions, line breaks, the text limit
// and the backspaces that only the transmit path can take back.
#include "app/qt/qt_text_window.h"

#include <gtest/gtest.h>
#include <QTextEdit>

namespace vexa::app::qt {
namespace {

TEST(QtTextWindow, LineBreaksOfAnyKindBecomeOneAndPositionsCountThemOnce)
{
    QTextEdit edit;
    QtTextWindow w(edit);
    w.replaceSelection("CQ\r\nde\rG4XYZ\nk");
    EXPECT_EQ(w.text(), "CQ\nde\nG4XYZ\nk");
    EXPECT_EQ(w.length(), 13);
    EXPECT_EQ(w.caret(), 13);
    w.select(3, 5);
    EXPECT_EQ(w.selectionStart(), 3);
    EXPECT_EQ(w.selectionEnd(), 5);
    w.replaceSelection("DE");
    EXPECT_EQ(w.text(), "CQ\nDE\nG4XYZ\nk");
    w.select(-5, 100);
    EXPECT_EQ(w.selectionStart(), 0);
    EXPECT_EQ(w.selectionEnd(), 13);
    w.replaceSelection("\xe9t\xe9");  // Latin-1 survives the round trip
    EXPECT_EQ(w.text(), "\xe9t\xe9");
}

TEST(QtTextWindow, TheLimitDropsWholeOldLinesSoReceivingGoesOn)
{
    QTextEdit edit;
    QtTextWindow w(edit, 20);
    w.replaceSelection("first line\nsecond line\n");
    w.replaceSelection("third");
    EXPECT_LE(w.length(), 20);
    EXPECT_EQ(w.text(), "second line\nthird");
    EXPECT_EQ(w.caret(), w.length());
}

TEST(QtTextWindow, BackspacesCountOnlyWhereNothingUnsentCanBeErased)
{
    QTextEdit edit;
    QtTextWindow w(edit);
    w.countBackspace();
    w.countBackspace();
    w.countBackspace();
    EXPECT_EQ(w.pendingBackspaces(), 3);
    w.replaceSelection("abc");
    w.countBackspace();  // erases the unsent "c"
    EXPECT_EQ(w.pendingBackspaces(), 3);
    w.select(0, 0);
    w.countBackspace();
    EXPECT_EQ(w.pendingBackspaces(), 4);
    w.setPendingBackspaces(0);
    EXPECT_EQ(w.pendingBackspaces(), 0);
}

}  // namespace
}  // namespace vexa::app::qt
