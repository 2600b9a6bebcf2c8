// The protocols' readings and command bytes, without a line: CI-V frames and replies in,
// dial frequency, modes and printed text out.
#include <gtest/gtest.h>

#include "rig/civ_parser.h"
#include "rig/command_block.h"
#include "rig/hex_monitor.h"
#include "rig/transceiver_protocol.h"

namespace vexa::rig {
namespace {

struct RecordingSink : ProtocolSink {
    std::vector<long long> frequencies;
    std::vector<std::pair<RadioMode, ModeReport>> modes;
    std::string printed;
    std::vector<int> refusals;
    void frequencyReported(long long hz) override { frequencies.push_back(hz); }
    void modeReported(RadioMode m, ModeReport how) override { modes.emplace_back(m, how); }
    void print(std::string_view text) override { printed += text; }
    void refused(int code) override { refusals.push_back(code); }
};

std::vector<uint8_t> bytesOf(std::string_view s)
{
    return {s.begin(), s.end()};
}

TEST(Protocols, TuningAndUsbBytesPerRadio)
{
    const struct {
        TransceiverType type;
        long long hz;
        std::vector<uint8_t> tune;
        std::vector<uint8_t> usb;
    } cases[] = {
        {TransceiverType::Ic735,
         14070150,
         {0xFE, 0xFE, 0x04, 0xE0, 0x05, 0x50, 0x01, 0x07, 0x14, 0xFD},
         {0xFE, 0xFE, 0x04, 0xE0, 0x06, 0x01, 0xFD}},
        {TransceiverType::Ft990, 14070150, {0x15, 0x70, 0x40, 0x01, 0x0A}, {0x00, 0x00, 0x00, 0x01, 0x0C}},
        {TransceiverType::Ts850, 7035000, bytesOf("FA00007035000;"), bytesOf("MD2;")},
        {TransceiverType::Ts850, 14070150, bytesOf("FA00014070150;"), bytesOf("MD2;")},
        {TransceiverType::Hamlib, 14070150, bytesOf("F 14070150\n"), bytesOf("M USB 0\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        auto p = makeProtocol(c.type);
        ASSERT_TRUE(p);
        const Commands tune = p->tune(c.hz);
        ASSERT_EQ(tune.size(), 1u);
        EXPECT_EQ(tune[0].bytes, c.tune);
        const auto usb = p->setMode(RadioMode::Usb);
        ASSERT_TRUE(usb && usb->size() == 1);
        EXPECT_EQ((*usb)[0].bytes, c.usb);
    }
    EXPECT_FALSE(makeProtocol(TransceiverType::None));
    EXPECT_FALSE(makeProtocol(TransceiverType::Ic735)->setMode(RadioMode::Rtty));
    // A zero dial sends nothing to the IC-735 but keeps its pause.
    const Commands zero = makeProtocol(TransceiverType::Ic735)->tune(0);
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_TRUE(zero[0].bytes.empty());
    EXPECT_EQ(pauseMs(zero[0].pauseAt1200, 1200), 300);
    EXPECT_EQ(pauseMs(zero[0].pauseAt1200, 9600), 37);
    EXPECT_EQ(pauseMs(zero[0].pauseAt1200, 600), 300);
}

TEST(CivParser, FramesSplitAnywhereWithGarbageBetweenThemAreDispatched)
{
    const std::vector<uint8_t> stream = {0x33, 0x01, 0xFE, 0xFE, 0xE0, 0x04, 0x03, 0x00,
                                         0x50, 0x07, 0x14, 0xFD, 0x77, 0xFE, 0xFE, 0xFE,
                                         0x00, 0x04, 0x00, 0x50, 0x01, 0x07, 0x14, 0xFD};
    for (std::size_t split = 0; split <= stream.size(); ++split) {
        CivParser parser;
        RecordingSink sink;
        const auto dispatch = [&](std::span<const uint8_t> f) { FrameDispatcher(f, sink); };
        for (std::size_t i = 0; i < split; ++i) parser.feed(stream[i], dispatch);
        for (std::size_t i = split; i < stream.size(); ++i) parser.feed(stream[i], dispatch);
        EXPECT_EQ(sink.frequencies, (std::vector<long long>{14075000, 14070150}));
        EXPECT_TRUE(sink.printed.empty());
    }
}

TEST(CivParser, TheDispatcherSortsBroadcastsRepliesEchoesAndStrangers)
{
    const struct {
        std::vector<uint8_t> frame;
        std::string printed;
        int modes;
        ModeReport how;
        RadioMode mode;
    } cases[] = {
        {{0x04, 0xE0, 0x03}, "", 0, {}, {}},  // our own echo
        {{0x00, 0x04, 0x01, 0x00}, "", 1, ModeReport::Broadcast, RadioMode::Lsb},
        {{0xE0, 0x04, 0x04, 0x03}, "", 1, ModeReport::Reply, RadioMode::Cw},
        {{0xE0, 0x04, 0x04, 0x04}, "", 0, {}, {}},      // unknown mode byte
        {{0x00, 0x10, 0x00}, "\r\n001000", 0, {}, {}},  // another radio
        {{0xE0, 0x04, 0xFA}, "\r\nE004FA", 0, {}, {}},  // NG: shown, not read
        {{0x04, 0x58, 0x03}, "\r\n045803", 0, {}, {}},  // another controller
        {{0x04}, "\r\n04", 0, {}, {}},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        FrameDispatcher(c.frame, sink);
        EXPECT_EQ(sink.printed, c.printed);
        ASSERT_EQ(static_cast<int>(sink.modes.size()), c.modes);
        if (c.modes == 1) {
            EXPECT_EQ(sink.modes[0].first, c.mode);
            EXPECT_EQ(sink.modes[0].second, c.how);
        }
        EXPECT_TRUE(sink.frequencies.empty());
    }
}

TEST(Protocols, Ft990AndTs850RepliesAreReadOnceASecondAndGarbleIsShownNotTuned)
{
    RecordingSink sink;
    auto ft990 = makeProtocol(TransceiverType::Ft990);
    std::vector<uint8_t> status(16, 0);
    status[1] = 0x01, status[2] = 0x57, status[3] = 0x7C;
    ft990->receive(std::span(status).first(8), sink);
    ft990->receive(std::span(status).subspan(8), sink);
    ft990->interpretReplies(sink);
    ft990->receive(std::span(status).first(10), sink);  // too short: dropped
    ft990->interpretReplies(sink);

    auto ts850 = makeProtocol(TransceiverType::Ts850);
    const std::string replies[] = {
        "FA00014070000;",
        "IF00021090000     -0000000002000000;",  // reports the VFO in use
        "FA0001407000;",                         // 13 characters: not a reply
        "FA000140x0000;",                        // garbled: printed once
        "?;",
    };
    for (const auto& r : replies) {
        ts850->receive(bytesOf(r), sink);
        ts850->interpretReplies(sink);
    }
    EXPECT_EQ(sink.frequencies, (std::vector<long long>{879320, 14070000, 21090000}));
    EXPECT_EQ(sink.printed, "\r\n 46 41 30 30 30 31 34 30 78 30 30 30 30 3b");
}

TEST(Protocols, RigctldAnswersAreReadLineByLine)
{
    RecordingSink sink;
    auto hamlib = makeProtocol(TransceiverType::Hamlib);
    hamlib->receive(bytesOf("RPRT 0\n1407"), sink);
    hamlib->receive(bytesOf("0150\nPKTUSB\n3000\nRPRT -11\n"), sink);
    EXPECT_EQ(sink.frequencies, (std::vector<long long>{14070150}));
    ASSERT_EQ(sink.modes.size(), 1u);
    EXPECT_EQ(sink.modes[0].first, RadioMode::Usb);
    EXPECT_EQ(sink.refusals, (std::vector<int>{-11}));
}

TEST(HexMonitor, HeadsEachPortAndWrapsAfterTwentyBytes)
{
    HexMonitor monitor;
    const auto t0 = HexMonitor::Clock::now();
    EXPECT_EQ(monitor.format(2, std::vector<uint8_t>{0xFE, 0xFE, 0xE0, 0x04, 0xFD}, t0),
              "\r\n2: fe fe e0 04 fd");
    std::vector<uint8_t> burst(16, 0x0A);
    const std::string more = monitor.format(2, burst, t0 + std::chrono::milliseconds(55));
    EXPECT_EQ(more.substr(0, 3 * 15), std::string(" 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a"));
    EXPECT_EQ(more.substr(3 * 15), "\r\n   0a");
    // After a quiet spell the port is named again.
    EXPECT_EQ(monitor.format(2, std::vector<uint8_t>{0x01}, t0 + std::chrono::seconds(1)), "\r\n2: 01");
}

}  // namespace
}  // namespace vexa::rig
