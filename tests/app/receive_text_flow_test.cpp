#include "app/receive_text_flow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct FlowCase {
    const char* name;
    std::vector<std::string> pieces;  // handed over one after the other
    std::string shown;
};

TEST(ReceiveTextFlow, LineBreaksWrapAndBackspace)
{
    const std::string x120(120, 'x');
    const FlowCase cases[] = {
        {"a word is never split, the break comes at the next blank", {x120, " y"}, x120 + " \ny"},
        {"at the first blank at or after the column",
         {std::string(78, 'a') + " bb cc"},
         std::string(78, 'a') + " bb \ncc"},
        {"counted from the last line break; a control character breaks too",
         {std::string(50, 'a') + "\r\n" + std::string(79, 'b') + "\tc"},
         std::string(50, 'a') + "\n" + std::string(79, 'b') + "\t\nc"},
        {"CR LF is one break, CR or LF alone one too", {"a\r\nb\nc\rd"}, "a\nb\nc\nd"},
        {"backspace removes the last character", {"DL1ABX\b", "C "}, "DL1ABC "},
        {"backspace in an empty window does nothing", {"\b"}, ""},
    };
    for (const FlowCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReceiveTextFlow flow;
        MemoryTextWindow window;
        window.setFocus(false);
        for (std::string piece : c.pieces) flow.moveReceivedText(piece, window, "XX9XX", 80, false);
        EXPECT_EQ(window.text(), c.shown);
    }
}

TEST_F(ReceiveTextFlowTest, WrapColumnAndCapturedCallFollowTheShownText)
{
    move(std::string(50, 'a') + "\r\n" + std::string(79, 'b') + "\t" + "c");
    EXPECT_EQ(flow.column(), 1);
    flow = ReceiveTextFlow();
    move("DL1ABX\b");
    move("C ");
    EXPECT_EQ(flow.capturedCall(), "DL1ABC");
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
