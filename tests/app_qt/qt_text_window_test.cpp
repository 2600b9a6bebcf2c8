// The text-window adapter over a real text control: positions, line breaks and the text
// limits.
#include "app/qt/qt_text_window.h"
#include "app/qt/text_limit.h"

#include <gtest/gtest.h>
#include <QTest>
#include <QTextEdit>

#include "ui/cm_edit.h"

namespace vexa::app::qt {
namespace {

TEST(QtTextWindow, LineBreaksOfAnyKindBecomeOneAndPositionsCountThemOnce)
{
    ui::CMEdit edit;
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

TEST(TextLimit, AFullWindowDropsWholeOldLinesButNeverTheTextJustArrived)
{
    ui::CMEdit edit;
    new TextLimit(edit, 20, TextLimit::Policy::DropOldest);
    QtTextWindow w(edit);
    w.replaceSelection("first line\nsecond line\n");
    w.replaceSelection("third");
    EXPECT_EQ(w.text(), "second line\nthird");
    EXPECT_EQ(w.caret(), w.length());

    // One long paragraph: the oldest characters go, the arrival stays whole.
    ui::CMEdit line;
    new TextLimit(line, 20, TextLimit::Policy::DropOldest);
    QtTextWindow l(line);
    l.replaceSelection(std::string(18, 'a'));
    l.replaceSelection("bbbbb");
    EXPECT_EQ(l.text(), std::string(15, 'a') + "bbbbb");
    l.replaceSelection(std::string(30, 'c'));  // longer than the limit on its own
    EXPECT_EQ(l.text(), std::string(30, 'c'));
}

TEST(TextLimit, AFullKeyboardWindowTakesNoMore)
{
    ui::CMEdit edit;
    new TextLimit(edit, 10, TextLimit::Policy::RefuseInput);
    QtTextWindow w(edit);
    w.replaceSelection("cq cq ");
    QTest::keyClicks(&edit, QStringLiteral("de xx9xx"));
    EXPECT_EQ(w.text(), "cq cq de x");
    w.select(0, 0);
    w.replaceSelection("!!");  // inserted at the front: what is there stays, nothing is sent twice
    EXPECT_EQ(w.text(), "cq cq de x");
}

}  // namespace
}  // namespace vexa::app::qt
