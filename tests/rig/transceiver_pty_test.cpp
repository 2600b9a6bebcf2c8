// The Transceiver over the real serial channel against each simulated radio.
#include <gtest/gtest.h>

#include "rig/event_loop.h"
#include "rig/serial_channel.h"
#include "rig/transceiver.h"
#include "support/radio_simulators.h"
#include "support/recording_transceiver_host.h"

namespace vexa::rig {
namespace {

using namespace std::chrono_literals;

struct Station {
    EventLoop loop;
    test::RecordingTransceiverHost host;
    SerialChannel channel;
    Transceiver trx{host, loop};

    Station(test::PtyRadio& radio, TransceiverType type, int baud, int digiSide = 0,
            PttMethod ptt = PttMethod::Rts)
    {
        trx.configure({type, digiSide, ptt});
        channel.SetWake([this] { loop.post([this] { trx.ComHandler(); }); });
        SerialSettings s;
        s.port = 2;
        s.device = radio.devicePath();
        s.baudRate = baud;
        s.stopBits = type == TransceiverType::Ic735 ? 0 : 2;
        EXPECT_EQ(channel.Open(s), SerialChannel::kOpened);
        trx.setChannel(&channel, 2);
    }
    bool run(const std::function<bool()>& done) { return loop.runUntil(done, 5s); }
    void settle()
    {
        run([this] { return trx.idle(); });
    }
};

TEST(TransceiverOverPty, Ic735TunesByTheDigitalSideAndFollowsItsBroadcastsButNotItsEcho)
{
    test::Ic735Radio radio;
    Station st(radio, TransceiverType::Ic735, 9600);
    st.host.mode = OperatingMode::Psk31;  // PSK31, carrier 1000 Hz, DigiSide USB
    st.trx.TuneTransceiver(14071000);
    st.trx.SetTransceiverMode(kTrxDigital);
    st.settle();
    EXPECT_EQ(st.trx.dialFrequency(), 14070000);
    EXPECT_EQ(st.trx.GetSignalFrequency(), 14071000);
    ASSERT_TRUE(st.run([&] { return radio.frequency() == 14070000 && radio.mode() == 1; }));
    EXPECT_EQ(radio.received(), (std::vector<uint8_t>{0xFE, 0xFE, 0x04, 0xE0, 0x05, 0x00, 0x00, 0x07, 0x14,
                                                      0xFD, 0xFE, 0xFE, 0x04, 0xE0, 0x06, 0x01, 0xFD}));
    st.loop.runFor(50ms);  // the echo of both commands comes back and changes nothing
    EXPECT_EQ(st.trx.frequencyReports(), 0);
    EXPECT_TRUE(st.host.entryLine.empty());

    radio.turnDial(14075000);
    ASSERT_TRUE(st.run([&] { return st.trx.frequencyReports() == 1; }));
    EXPECT_EQ(st.trx.dialFrequency(), 14075000);
    radio.pressMode(0x00);  // LSB at the radio: the PSK31 session keeps its mode
    ASSERT_TRUE(st.run([&] { return st.host.storedModes.size() == 1; }));
    EXPECT_EQ(st.host.mode, OperatingMode::Psk31);

    // Garbage, then a frame in two pieces.
    radio.send(std::vector<uint8_t>{0x13, 0x37, 0xFE, 0xFE, 0xE0, 0x04});
    st.loop.runFor(20ms);
    radio.send(std::vector<uint8_t>{0x03, 0x50, 0x01, 0x07, 0x14, 0xFD});
    ASSERT_TRUE(st.run([&] { return st.trx.frequencyReports() == 2; }));
    EXPECT_EQ(st.trx.dialFrequency(), 14070150);
}

TEST(TransceiverOverPty, Ic735PollAndLsbDigitalSide)
{
    test::Ic735Radio radio;
    radio.setFrequency(7035000);
    Station st(radio, TransceiverType::Ic735, 1200, /*digiSide=*/1);
    st.host.mode = OperatingMode::Rtty;
    st.trx.PollTransceiver();
    ASSERT_TRUE(st.run([&] { return st.trx.frequencyReports() == 1 && !st.host.storedModes.empty(); }));
    EXPECT_EQ(st.trx.dialFrequency(), 7035000);
    EXPECT_EQ(st.host.storedModes.back(), (std::pair{OperatingMode::Usb, false}));  // the USB reply
    st.host.mode = OperatingMode::Psk31;
    st.trx.SetTransceiverMode(kTrxDigital);
    ASSERT_TRUE(st.run([&] { return radio.mode() == 0; }));  // LSB, as the dial arithmetic assumes
    st.trx.TuneTransceiver(14071000);
    ASSERT_TRUE(st.run([&] { return radio.frequency() == 14072000; }));
}

TEST(TransceiverOverPty, Ft990TunesSetsModesKeysByCatAndIsPolledEverySecond)
{
    test::Ft990Radio radio;
    Station st(radio, TransceiverType::Ft990, 4800, 0, PttMethod::Cat);
    st.trx.TuneTransceiver(14070150);
    st.trx.SetTransceiverMode(kTrxUsb);
    ASSERT_TRUE(st.run([&] { return radio.frequency() == 14070150 && radio.mode() == 1; }));
    st.trx.SetPtt(true);
    ASSERT_TRUE(st.run([&] { return radio.ptt(); }));
    st.trx.SetPtt(false);
    ASSERT_TRUE(st.run([&] { return !radio.ptt(); }));

    radio.setFrequency(879320);
    ASSERT_TRUE(st.run([&] { return st.trx.dialFrequency() == 879320; }));
}

TEST(TransceiverOverPty, Ts850ReadsTheVfoInUseAndShowsAGarbledReplyOnce)
{
    test::Ts850Radio radio;
    Station st(radio, TransceiverType::Ts850, 4800, 0, PttMethod::Cat);
    st.trx.TuneTransceiver(7035000);
    st.trx.SetTransceiverMode(kTrxLsb);
    st.trx.SetPtt(true);
    ASSERT_TRUE(st.run([&] { return radio.frequency() == 7035000 && radio.mode() == 1 && radio.ptt(); }));
    EXPECT_NE(radio.receivedText().find("FA00007035000;"), std::string::npos);
    EXPECT_EQ(radio.receivedText().find('\r'), std::string::npos);

    radio.useVfoB(21090000);
    ASSERT_TRUE(st.run([&] { return st.trx.dialFrequency() == 21090000; }));
    radio.answerWith("IF000210x0000000000000000000000000;");
    ASSERT_TRUE(st.run([&] { return !st.host.entryLine.empty(); }));
    EXPECT_EQ(st.trx.dialFrequency(), 21090000);
    EXPECT_EQ(st.host.entryLine.find("\r\n", 2), std::string::npos);  // one line for one bad reply
}

TEST(TransceiverOverPty, TheHexMonitorShowsTheBytesInsteadOfReadingThem)
{
    test::Ic735Radio radio;
    Station st(radio, TransceiverType::Ic735, 1200);
    st.trx.setHexMonitor(true);
    radio.send(std::vector<uint8_t>{0xFE, 0xFE, 0xE0, 0x04, 0x03, 0x00, 0x50, 0x07, 0x14, 0xFD});
    ASSERT_TRUE(st.run([&] { return st.host.entryLine.size() >= 34; }));
    EXPECT_EQ(st.host.entryLine, "\r\n2: fe fe e0 04 03 00 50 07 14 fd");
    EXPECT_EQ(st.trx.frequencyReports(), 0);
}

TEST(TransceiverOverPty, AnUnpluggedRadioIsReportedOnceAndCommandsStop)
{
    auto radio = std::make_unique<test::Ts850Radio>();
    Station st(*radio, TransceiverType::Ts850, 4800);
    radio->hangUp();
    ASSERT_TRUE(st.run([&] { return !st.host.alerts.empty(); }));
    st.loop.runFor(1200ms);
    ASSERT_EQ(st.host.alerts.size(), 1u);
    EXPECT_EQ(st.host.alerts[0], "Transceiver link lost: " + radio->devicePath());
    EXPECT_EQ(st.trx.activeChannel(), nullptr);
    st.trx.TuneTransceiver(7040000);  // no link: bookkeeping only
    EXPECT_EQ(st.trx.dialFrequency(), 7040000);
    EXPECT_TRUE(st.trx.idle());
}

}  // namespace
}  // namespace vexa::rig
