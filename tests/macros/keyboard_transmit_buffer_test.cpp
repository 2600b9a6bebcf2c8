// The keyboard transmit buffer over an in-memory keyboard window: what goes out, in which
// order, the backspaces, the line breaks, text files in pieces, and the transmit path
// taking its characters from it.
#include "macros/keyboard_transmit_buffer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/rx/varicode_table.h"
#include "engine/tx/memory_transmit_audio.h"
#include "engine/tx/transmit_machine.h"
#include "support/memory_text_window.h"
#include "support/temp_dir.h"

namespace vexa::macros {
namespace {

using test::MemoryTextWindow;

// Takes characters until the buffer has nothing more (at most limit).
std::string drain(KeyboardTransmitBuffer& buffer, int limit = 10000)
{
    std::string out;
    int c = 0;
    while (limit-- > 0 && buffer.NextTransmitChar(c) == 1) out.push_back(static_cast<char>(c));
    return out;
}

struct Fixture {
    explicit Fixture(std::string text = {}) : window(std::move(text)) {}
    MemoryTextWindow window;
    PassThroughExpander pass;
    KeyboardTransmitBuffer buffer{window, pass};
};

TEST(KeyboardTransmitBuffer, OnlyTextBeforeTheCaretGoesOut)
{
    Fixture f("hello world");
    f.window.select(0, 0);
    f.buffer.StartTransmitText();
    EXPECT_EQ(drain(f.buffer), "\r\n");  // the line break that opens every transmission
    EXPECT_EQ(f.window.text(), "hello world");

    f.window.select(5, 5);
    EXPECT_EQ(drain(f.buffer), "hello");
    EXPECT_EQ(f.window.text(), " world");
    EXPECT_EQ(f.window.caret(), 0);

    f.window.caretToEnd();
    EXPECT_EQ(drain(f.buffer), " world");
    EXPECT_EQ(f.window.text(), "");
    int c = -1;
    EXPECT_EQ(f.buffer.NextTransmitChar(c), 0);
}

TEST(KeyboardTransmitBuffer, TextTypedDuringTransmissionFollowsInOrder)
{
    Fixture f("abc");
    f.window.caretToEnd();
    int c = 0;
    ASSERT_EQ(f.buffer.NextTransmitChar(c), 1);
    EXPECT_EQ(c, 'a');
    EXPECT_EQ(f.window.caret(), 2);  // the caret stays behind the same characters
    f.window.type("de");
    std::string out = drain(f.buffer);
    f.window.type("fg");
    out += drain(f.buffer);
    EXPECT_EQ(out, "bcdefg");
    // A selection stays on the same characters while text is taken from the front.
    f.window.type("xyz");
    f.window.select(1, 3);  // "yz" selected
    EXPECT_EQ(f.buffer.NextTransmitChar(c), 1);
    EXPECT_EQ(c, 'x');
    EXPECT_EQ(f.window.selectionStart(), 0);
    EXPECT_EQ(f.window.selectionEnd(), 2);
}

TEST(KeyboardTransmitBuffer, BackspaceOverSentTextIsSent)
{
    Fixture f;
    f.window.backspace();  // empty window: erases what was already sent
    f.window.backspace();
    EXPECT_EQ(f.window.pendingBackspaces(), 2);
    EXPECT_EQ(drain(f.buffer), "\b\b");
    EXPECT_EQ(f.window.pendingBackspaces(), 0);

    // Backspace over unsent text only edits the window.
    f.window.type("ab");
    f.window.backspace();
    EXPECT_EQ(f.window.pendingBackspaces(), 0);
    EXPECT_EQ(drain(f.buffer), "a");
    // Backspaces go before pending text and count the line back.
    f.window.type("xyz");
    f.window.backspace();
    f.window.select(0, 0);
    f.window.backspace();
    f.window.caretToEnd();
    EXPECT_EQ(drain(f.buffer), "\bxy");
}

TEST(KeyboardTransmitBuffer, LongLinesBreakAtTheFirstSpaceAfterTheWrapColumn)
{
    Fixture f("aaa bbb ccc ddd eee\rfff ggg hhh iii");
    f.buffer.setWrap(10);
    f.window.caretToEnd();
    // The counter measures the line: the break follows the space at column 12, and a CR
    // in the text starts the count again.
    EXPECT_EQ(drain(f.buffer), "aaa bbb ccc \r\nddd eee\rfff ggg hhh \r\niii");
    // A word longer than the line is not split.
    Fixture g("abcdefghijklmnop q");
    g.buffer.setWrap(5);
    g.window.caretToEnd();
    EXPECT_EQ(drain(g.buffer), "abcdefghijklmnop \r\nq");
    EXPECT_EQ(g.buffer.wrapCounter(), 1);
}

TEST(KeyboardTransmitBuffer, LineBreaksGoOutAsCrLf)
{
    // The window keeps a break as LF (typed, pasted, or a file read as text); a CR LF
    // already there is not doubled, a lone CR is left alone.
    Fixture f("cq\nde\r\nk\rx\n");
    f.window.caretToEnd();
    EXPECT_EQ(drain(f.buffer), "cq\r\nde\r\nk\rx\r\n");

    test::TempDir dir;
    std::ofstream(dir.file("reply.txt"), std::ios::binary) << "line one\r\nline two\n";
    Fixture g;
    ASSERT_TRUE(g.buffer.SendTextFile(dir.file("reply.txt")));
    EXPECT_EQ(drain(g.buffer), "line one\r\nline two\r\n");
}

TEST(KeyboardTransmitBuffer, EndOfTransmissionEmptiesTheWindow)
{
    Fixture f("abc");
    f.window.caretToEnd();
    f.buffer.EmptyTransmitText();
    EXPECT_EQ(f.window.text(), "");
    int c = 0;
    EXPECT_EQ(f.buffer.NextTransmitChar(c), 0);
}

class RecordingExpander : public TextExpander {
public:
    std::string ExpandText(std::string_view text) override
    {
        pieces.emplace_back(text);
        std::string s(text);
        for (std::size_t at; (at = s.find("<CALL>")) != std::string::npos;) s.replace(at, 6, "DL1ABC");
        return s;
    }
    std::vector<std::string> pieces;
};

TEST(SendTextFile, PiecesOfAtMost255EndingAfterALineFeed)
{
    vexa::test::TempDir dir;
    const std::string path = dir.file("long.txt");
    // 250 characters, then a token cut by the 255 boundary, then the rest of a 300-char line.
    std::string line(250, 'x');
    line += "<CALL>";
    line += std::string(300 - line.size(), 'y');
    {
        std::ofstream out(path, std::ios::binary);
        out << line << "\r\n"
            << "73 <CALL>\n"
            << "no newline";
    }
    MemoryTextWindow window("[]");
    window.select(1, 1);
    RecordingExpander expander;
    KeyboardTransmitBuffer buffer(window, expander);
    ASSERT_TRUE(buffer.SendTextFile(path));
    ASSERT_EQ(expander.pieces.size(), 4u);
    EXPECT_EQ(expander.pieces[0].size(), 255u);
    EXPECT_EQ(expander.pieces[1].size(), 46u);  // 45 characters and the line feed
    EXPECT_EQ(expander.pieces[1].back(), '\n');
    EXPECT_EQ(expander.pieces[2], "73 <CALL>\n");
    EXPECT_EQ(expander.pieces[3], "no newline");
    // The cut token stays as it was; the whole one is expanded; inserted at the caret.
    const std::string text = window.text();
    EXPECT_EQ(text.find("DL1ABC"), text.rfind("DL1ABC"));
    EXPECT_NE(text.find("<CA"), std::string::npos);
    EXPECT_EQ(text.front(), '[');
    EXPECT_EQ(text.back(), ']');
    EXPECT_NE(text.find("73 DL1ABC\nno newline]"), std::string::npos);
}

TEST(SendTextFile, MissingFileDoesNothingAndDropsSendTheFirstFile)
{
    vexa::test::TempDir dir;
    MemoryTextWindow window("keep");
    window.caretToEnd();
    PassThroughExpander pass;
    KeyboardTransmitBuffer buffer(window, pass);
    EXPECT_FALSE(buffer.SendTextFile(dir.file("nope.txt")));
    EXPECT_EQ(window.text(), "keep");
    {
        std::ofstream(dir.file("a.txt")) << " A";
        std::ofstream(dir.file("b.txt")) << " B";
    }
    EXPECT_FALSE(buffer.DropFiles({}));
    EXPECT_TRUE(buffer.DropFiles({dir.file("a.txt"), dir.file("b.txt")}));
    EXPECT_EQ(window.text(), "keep A");
}

TEST(KeyboardTransmitBuffer, TransmitPathSendsTheWindowInOrder)
{
    MemoryTextWindow window("cq cq de dl1abc");
    window.caretToEnd();
    PassThroughExpander pass;
    KeyboardTransmitBuffer buffer(window, pass);
    engine::SineTable table;
    engine::MemoryTransmitAudio audio;
    engine::RecordingKeyLine key;
    engine::TransmitMachine machine(table, audio, key, buffer);
    machine.setVaricode(engine::kVaricodeTable);
    std::string echo;
    machine.setEchoBuffer(&echo);
    ASSERT_EQ(machine.ToggleTransmit(), engine::TransmitMachine::Toggle::Started);
    std::vector<int16_t> out;
    for (int i = 0; i < 6; ++i) machine.FillTransmitBlock(audio.playNext(out));
    window.caretToEnd();
    window.type(" pse k\xAE");  // the end character of the <RX> token
    window.type("not sent");
    for (int i = 0; i < 60 && machine.active(); ++i) machine.FillTransmitBlock(audio.playNext(out));
    EXPECT_FALSE(machine.active());
    EXPECT_EQ(echo, "\r\ncq cq de dl1abc pse k");
    EXPECT_EQ(window.text(), "");
    EXPECT_FALSE(key.on());
}

}  // namespace
}  // namespace vexa::macros
