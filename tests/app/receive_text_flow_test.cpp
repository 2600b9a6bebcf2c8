#include "app/receive_text_flow.h"

#include <gtest/gtest.h>

#include "fake_text_window.h"

namespace vexa::app {
namespace {

using test::FakeTextWindow;

class ReceiveTextFlowTest : public ::testing::Test {
protected:
    bool move(const std::string& text, int wrap = 80, bool paused = false)
    {
        buffer += text;
        return flow.moveReceivedText(buffer, window, "XX9XX", wrap, paused);
    }
    ReceiveTextFlow flow;
    FakeTextWindow window;
    std::string buffer;
};

TEST_F(ReceiveTextFlowTest, TextWaitsWhileTheWindowHasFocusOrIsPausedThenArrivesInOnePiece)
{
    window.focused = true;
    EXPECT_FALSE(move("CQ CQ "));
    EXPECT_FALSE(move("de DL1ABC "));
    EXPECT_EQ(window.content, "");
    window.focused = false;
    EXPECT_FALSE(move("", 80, /*paused=*/true));
    EXPECT_EQ(buffer, "CQ CQ de DL1ABC ");
    window.replaceCalls = 0;
    EXPECT_TRUE(move(""));
    EXPECT_EQ(window.content, "CQ CQ de DL1ABC ");
    EXPECT_EQ(window.replaceCalls, 1);
    EXPECT_TRUE(buffer.empty());
}

TEST_F(ReceiveTextFlowTest, TextIsAppendedAtTheEndWhereverTheCaretWas)
{
    move("abc ");
    window.select(0, 1);
    move("def");
    EXPECT_EQ(window.content, "abc def");
}

TEST_F(ReceiveTextFlowTest, WrapBreaksAtFirstBlankAtOrAfterTheColumnNeverInsideAWord)
{
    const std::string longWord(120, 'x');
    move(longWord);
    EXPECT_EQ(window.content, longWord) << "a word is never split";
    move(" y");
    EXPECT_EQ(window.content, longWord + " \ny");

    FakeTextWindow second;
    ReceiveTextFlow flow2;
    std::string text = std::string(78, 'a') + " bb cc";
    flow2.moveReceivedText(text, second, "XX9XX", 80, false);
    // Column 79 is the first blank but below 80; the next blank stands at column 82.
    EXPECT_EQ(second.content, std::string(78, 'a') + " bb \ncc");
}

TEST_F(ReceiveTextFlowTest, WrapCountsFromTheLastLineBreakAndControlCharactersBreakToo)
{
    move(std::string(50, 'a') + "\r\n" + std::string(79, 'b') + "\t" + "c");
    EXPECT_EQ(window.content, std::string(50, 'a') + "\n" + std::string(79, 'b') + "\t\nc");
    EXPECT_EQ(flow.column(), 1);
}

TEST_F(ReceiveTextFlowTest, LineFeedAfterCarriageReturnMakesOneBreakAloneOneToo)
{
    move("a\r\nb\nc\rd");
    EXPECT_EQ(window.content, "a\nb\nc\nd");
}

TEST_F(ReceiveTextFlowTest, BackspaceRemovesTheLastCharacterAlsoFromTheWord)
{
    move("DL1ABX\b");
    EXPECT_EQ(window.content, "DL1AB");
    move("C ");
    EXPECT_EQ(window.content, "DL1ABC ");
    EXPECT_EQ(flow.capturedCall(), "DL1ABC");
    FakeTextWindow empty;
    std::string bs = "\b";
    flow.moveReceivedText(bs, empty, "XX9XX", 80, false);
    EXPECT_EQ(empty.content, "");
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
    FakeTextWindow alert;
    alert.content = "old alert";
    std::string second = "ab\tc\r\nd";
    flow.showSecondChannel(second, alert);
    EXPECT_EQ(alert.content, "ab c__d");
    EXPECT_TRUE(second.empty());
    second = std::string(60, 'z');
    flow.showSecondChannel(second, alert);
    EXPECT_EQ(alert.content, std::string(50, 'z'));
    alert.content = "untouched";
    flow.showSecondChannel(second, alert);
    EXPECT_EQ(alert.content, "untouched");
}

}  // namespace
}  // namespace vexa::app
