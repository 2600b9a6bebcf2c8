#include "engine/rx/baudot_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/rx/baudot_tables.h"
#include "engine/rx/text_sink.h"

namespace vexa::engine {
namespace {

constexpr int kMark = 0;
constexpr int kSpace = 1;

class BaudotDecoderTest : public ::testing::Test {
protected:
    BaudotDecoderTest() { decoder.setTextSink(&sink); }

    void line(int value, int count = 1)
    {
        for (int i = 0; i < count; ++i) decoder.bit(value);
    }
    // One frame: start bit, the five data bits first-bit-first, one stop bit.
    void frame(int code, int stop = kMark)
    {
        line(kSpace);
        for (int b = 4; b >= 0; --b) line(((code >> b) & 1) != 0 ? kMark : kSpace);
        line(stop);
    }
    void frames(std::initializer_list<int> codes)
    {
        for (int c : codes) frame(c);
    }

    std::string text;
    TextSink sink{&text};
    BaudotDecoder decoder;
};

// ITA2 codes as table indexes (first bit most significant).
constexpr int kT = 1, kO = 3, kE = 16, kX = 23, kN = 6, kI = 12, kR = 10, kY = 21;

TEST_F(BaudotDecoderTest, WaitsForMarkThenFramesLettersInUpperCase)
{
    // No mark seen yet: T (start and four data bits of space) is not framed; its last
    // data bit is the first mark, and the stop bit keeps the decoder idle.
    frame(kT);
    EXPECT_EQ(text, "");
    EXPECT_EQ(decoder.state(), BaudotDecoder::kIdle);

    frames({kT, kE});
    line(kMark, 7);  // idle mark between frames is ignored
    frames({kX, kT});
    EXPECT_EQ(text, "TEXT");
    EXPECT_EQ(decoder.lastCharacter(), 'T');
    EXPECT_EQ(decoder.state(), BaudotDecoder::kIdle);
}

TEST_F(BaudotDecoderTest, FigsLtrsAndNulSwitchTheShiftSilentlyCrLfPassInBoth)
{
    line(kMark, 3);
    frames({kBaudotFigs, kE, kT, kR});
    EXPECT_EQ(text, "354");
    EXPECT_TRUE(decoder.figuresShift());

    frames({kBaudotLtrs, kE});
    EXPECT_EQ(text, "354E");
    EXPECT_FALSE(decoder.figuresShift());

    frames({kBaudotFigs, kY, kBaudotNul, kY});
    EXPECT_EQ(text, "354E6Y");
    EXPECT_FALSE(decoder.figuresShift());

    // CR and LF pass in both shifts.
    frames({kBaudotCr, kBaudotLf, kBaudotFigs, kBaudotCr, kBaudotLf, kI});
    EXPECT_EQ(text, "354E6Y\r\n\r\n8");
}

TEST_F(BaudotDecoderTest, LettersTableCodesPrintAsUpperCaseEntries)
{
    line(kMark);
    for (int code = 0; code < kBaudotTableSize; ++code) {
        if (code == kBaudotNul || code == kBaudotFigs || code == kBaudotLtrs) continue;
        text.clear();
        frame(code);
        const char expected =
            (code == kBaudotCr || code == kBaudotLf) ? kBaudotLetters[code] : kBaudotUppercase[code];
        EXPECT_EQ(text, std::string(1, expected)) << "code " << code;
    }
}

TEST_F(BaudotDecoderTest, FramingErrorEmitsThenWaitsForMark)
{
    line(kMark);
    frame(kE, kSpace);  // space where the stop bit belongs
    EXPECT_EQ(text, "E");
    EXPECT_EQ(decoder.state(), BaudotDecoder::kWaitForMark);

    // Still space: these would be a start bit and data, but nothing is framed.
    line(kSpace, 3);
    EXPECT_EQ(decoder.state(), BaudotDecoder::kWaitForMark);
    EXPECT_EQ(text, "E");

    line(kMark);
    EXPECT_EQ(decoder.state(), BaudotDecoder::kIdle);
    frame(kT);
    EXPECT_EQ(text, "ET");
}

TEST_F(BaudotDecoderTest, UnshiftOnSpaceReturnsToLetters)
{
    // What a sender that expects unshift-on-space puts on the line for "599 TNX".
    const auto send = [&] { frames({kBaudotLtrs, kBaudotFigs, kT, kO, kO, kBaudotSpace, kT, kN, kX}); };
    line(kMark);
    EXPECT_TRUE(decoder.unshiftOnSpace());
    send();
    EXPECT_EQ(text, "599 TNX");

    text.clear();
    decoder.setUnshiftOnSpace(false);
    send();
    EXPECT_EQ(text, "599 5,/");
}

TEST_F(BaudotDecoderTest, ResetDropsTheFrameButKeepsTheShift)
{
    line(kMark);
    frame(kBaudotFigs);
    line(kSpace);    // start bit
    line(kMark, 2);  // two data bits
    decoder.reset();
    EXPECT_EQ(decoder.state(), BaudotDecoder::kWaitForMark);
    EXPECT_TRUE(decoder.figuresShift());
    line(kMark);
    frame(kE);
    EXPECT_EQ(text, "3");
}

TEST(BaudotDecoder, ACharacterDecodedWithoutASinkIsDroppedNotKept)
{
    BaudotDecoder d;
    const auto e = [&d] {
        d.bit(kMark);
        for (int v : {kSpace, kMark, kSpace, kSpace, kSpace, kSpace, kMark}) d.bit(v);
    };
    e();
    EXPECT_EQ(d.lastCharacter(), 'E');
    std::string text;
    TextSink sink(&text);
    d.setTextSink(&sink);
    e();
    EXPECT_EQ(text, "E");
}

}  // namespace
}  // namespace vexa::engine
