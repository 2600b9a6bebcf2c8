#include "app/receive_text_flow.h"

#include <gtest/gtest.h>

#include "support/memory_text_window.h"

namespace vexa::app {
namespace {

using test::MemoryTextWindow;

class ReceiveTextFlowTest : public ::testing::Test {
protected:
    bool move(const std::string& text, int wrap = 80, bool paused = false)
    {
        buffer += text;
        return flow.moveReceivedText(buffer, window, "XX9XX", wrap, paused);
    }
    ReceiveTextFlowTest() { window.setFocus(false); }

    ReceiveTextFlow flow;
    MemoryTextWindow window;
    std::string buffer;
};

TEST_F(ReceiveTextFlowTest, TextWaitsWhileTheWindowHasFocusOrIsPausedThenArrivesInOnePiece)
{
    window.setFocus(true);
    EXPECT_FALSE(move("CQ CQ "));
    EXPECT_FALSE(move("de DL1ABC "));
    EXPECT_EQ(window.text(), "");
    window.setFocus(false);
    EXPECT_FALSE(move("", 80, /*paused=*/true));
    EXPECT_EQ(buffer, "CQ CQ de DL1ABC ");
    EXPECT_TRUE(move(""));
    EXPECT_EQ(window.text(), "CQ CQ de DL1ABC ");
    EXPECT_EQ(window.replacements(), 1);
    EXPECT_TRUE(buffer.empty());
}

TEST_F(ReceiveTextFlowTest, TextIsAppendedAtTheEndWhereverTheCaretWas)
{
    move("abc ");
    window.select(0, 1);
    move("def");
    EXPECT_EQ(window.text(), "abc def");
}

TEST_F(ReceiveTextFlowTest, WrapBreaksAtFirstBlankAtOrAfterTheColumnNeverInsideAWord)
{
    const std::string longWord(120, 'x');
    move(longWord);
    EXPECT_EQ(window.text(), longWord) << "a word is never split";
    move(" y");
    EXPECT_EQ(window.text(), longWord + " \ny");

    MemoryTextWindow second;

    second.setFocus(false);
    ReceiveTextFlow flow2;
    std::string text = std::string(78, 'a') + " bb cc";
    flow2.moveReceivedText(text, second, "XX9XX", 80, false);
    // Column 79 is the first blank but below 80; the next blank stands at column 82.
    EXPECT_EQ(second.text(), std::string(78, 'a') + " bb \ncc");
}

TEST_F(ReceiveTextFlowTest, WrapCountsFromTheLastLineBreakAndControlCharactersBreakToo)
{
    move(std::string(50, 'a') + "\r\n" + std::string(79, 'b') + "\t" + "c");
    EXPECT_EQ(window.text(), std::string(50, 'a') + "\n" + std::string(79, 'b') + "\t\nc");
    EXPECT_EQ(flow.column(), 1);
}

TEST_F(ReceiveTextFlowTest, LineFeedAfterCarriageReturnMakesOneBreakAloneOneToo)
{
    move("a\r\nb\nc\rd");
    EXPECT_EQ(window.text(), "a\nb\nc\nd");
}

TEST_F(ReceiveTextFlowTest, BackspaceRemovesTheLastCharacterAlsoFromTheWord)
{
    move("DL1ABX\b");
    EXPECT_EQ(window.text(), "DL1AB");
    move("C ");
    EXPECT_EQ(window.text(), "DL1ABC ");
    EXPECT_EQ(flow.capturedCall(), "DL1ABC");
    MemoryTextWindow empty;
    empty.setFocus(false);
    std::string bs = "\b";
    flow.moveReceivedText(bs, empty, "XX9XX", 80, false);
    EXPECT_EQ(empty.text(), "");
}

TEST_F(ReceiveTextFlowTest, CapturesTheLastCallShapedWordButNeverOneWithOurCall)
{
    move("CQ CQ de DL1ABC DL1ABC pse k ");
    EXPECT_EQ(flow.capturedCall(), "DL1ABC");
    move("XX9XX de G4XYZ ");
    EXPECT_EQ(flow.capturedCall(), "G4XYZ");
    move("xx9xx/p ");
    EXPECT_EQ(flow.capturedCall(), "G4XYZ") << "our own call in other case";
    move("VK2/XX9XX ");
    EXPECT_EQ(flow.capturedCall(), "G4XYZ") << "a word containing our call";
    move("ur 599 ");
    EXPECT_EQ(flow.capturedCall(), "G4XYZ");
    move("OH2BH");
    EXPECT_EQ(flow.capturedCall(), "G4XYZ") << "the word is not finished yet";
    move("\r");
    EXPECT_EQ(flow.capturedCall(), "OH2BH");
}

TEST_F(ReceiveTextFlowTest, SecondChannelTailKeepsFiftyCharactersWithLineEndsShown)
{
    MemoryTextWindow alert;
    alert.setFocus(false);
    alert.setText("old alert");
    std::string second = "ab\tc\r\nd";
    flow.showSecondChannel(second, alert);
    EXPECT_EQ(alert.text(), "ab c__d");
    EXPECT_TRUE(second.empty());
    second = std::string(60, 'z');
    flow.showSecondChannel(second, alert);
    EXPECT_EQ(alert.text(), std::string(50, 'z'));
    alert.setText("untouched");
    flow.showSecondChannel(second, alert);
    EXPECT_EQ(alert.text(), "untouched");
}

}  // namespace
}  // namespace vexa::app
