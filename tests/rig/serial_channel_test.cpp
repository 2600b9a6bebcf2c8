#include "rig/serial_channel.h"

#include <gtest/gtest.h>

#include <numeric>

#include "support/radio_simulators.h"
#include "support/wake_counter.h"

namespace vexa::rig {
namespace {

using test::eventually;
using test::WakeCounter;

SerialSettings settingsFor(const test::PtyRadio& radio, int port = 2)
{
    SerialSettings s;
    s.port = port;
    s.device = radio.devicePath();
    s.baudRate = 4800;
    s.stopBits = 2;
    return s;
}

TEST(SerialChannel, OpenReportsWhyItFailedAndCloseOfAClosedChannelIsRefused)
{
    SerialChannel channel;
    EXPECT_EQ(channel.Close(), SerialChannel::kNotOpen);
    SerialSettings s;
    s.device = "/dev/vexa-no-such-port";
    EXPECT_EQ(channel.Open(s), SerialChannel::kPortNotOpened);
    test::Ic735Radio radio;
    ASSERT_TRUE(radio.ok());
    s = settingsFor(radio);
    s.baudRate = 1234;
    EXPECT_EQ(channel.Open(s), SerialChannel::kSettingsRefused);
    EXPECT_FALSE(channel.isOpen());
    EXPECT_EQ(channel.state(), -1);
    EXPECT_FALSE(channel.Write(std::vector<uint8_t>{1, 2}));
}

TEST(SerialChannel, WritesReachTheRadioAndABurstIsAnnouncedOnceWithItsZeroBytes)
{
    test::Ft990Radio radio;
    WakeCounter wakes;  // outlives the channel, whose reader calls it
    SerialChannel channel;
    channel.SetWake(wakes.wake());
    ASSERT_EQ(channel.Open(settingsFor(radio)), SerialChannel::kOpened);
    EXPECT_EQ(channel.state(), 2);
    // A pty has no modem lines; keying must still not fail the channel.
    channel.SetModemLine(ModemLine::Rts, true);
    channel.SetModemLine(ModemLine::Rts, false);

    const std::vector<uint8_t> block = {0x00, 0x00, 0x00, 0x01, 0x0F};
    ASSERT_TRUE(channel.Write(block));
    ASSERT_TRUE(radio.waitForReceived(5));
    EXPECT_EQ(radio.received(), block);

    std::vector<uint8_t> burst(3000);
    std::iota(burst.begin(), burst.end(), 0);  // includes zero bytes
    radio.send(burst);
    ASSERT_TRUE(eventually([&] { return channel.waitingBytes() == burst.size(); }));
    EXPECT_EQ(wakes.count(), 1);
    EXPECT_EQ(channel.TakeReceived(), burst);
    EXPECT_TRUE(channel.TakeReceived().empty());

    radio.send(std::vector<uint8_t>{0});
    EXPECT_TRUE(wakes.waitFor(2));
    EXPECT_EQ(channel.TakeReceived(), std::vector<uint8_t>{0});
    EXPECT_EQ(channel.Close(), SerialChannel::kClosed);
    EXPECT_EQ(channel.state(), -1);
}

TEST(SerialChannel, AnUnpluggedDeviceClosesTheChannelOnceAndALaterOpenWorks)
{
    WakeCounter wakes;  // outlives the channel, whose reader calls it
    SerialChannel channel;
    channel.SetWake(wakes.wake());
    {
        test::Ts850Radio radio;
        ASSERT_EQ(channel.Open(settingsFor(radio)), SerialChannel::kOpened);
        radio.send("FA00007035000;");
        ASSERT_TRUE(wakes.waitFor(1));
        radio.hangUp();
        ASSERT_TRUE(eventually([&] { return !channel.isOpen(); }));
    }
    EXPECT_EQ(channel.state(), 0);
    EXPECT_TRUE(channel.TakeLost());
    EXPECT_FALSE(channel.TakeLost());
    EXPECT_FALSE(channel.Write(std::vector<uint8_t>{'I', 'F', ';'}));
    EXPECT_EQ(channel.Close(), SerialChannel::kClosed);

    test::Ts850Radio again;
    ASSERT_EQ(channel.Open(settingsFor(again, 3)), SerialChannel::kOpened);
    EXPECT_TRUE(channel.Write(std::vector<uint8_t>{'I', 'F', ';'}));
    EXPECT_TRUE(again.waitForReceived(3));
}

TEST(ReceiveRing, AnOverrunKeepsTheNewestBytes)
{
    ReceiveRing ring;
    std::vector<uint8_t> bytes(ReceiveRing::kSize + 100);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    ring.store(bytes);
    const auto kept = ring.take();
    ASSERT_EQ(kept.size(), ReceiveRing::kSize - 1);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), bytes.end() - static_cast<long>(kept.size())));
    EXPECT_EQ(ring.overrunCount(), 101);
    EXPECT_TRUE(ring.take().empty());
}

}  // namespace
}  // namespace vexa::rig
