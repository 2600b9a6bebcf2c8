// The Transceiver on Hamlib's rigctld (dummy rig), and the link the settings open.
#include <gtest/gtest.h>

#include "rig/event_loop.h"
#include "rig/transceiver.h"
#include "rig/transceiver_link.h"
#include "support/radio_simulators.h"
#include "support/recording_transceiver_host.h"
#include "support/rigctld_process.h"
#include "support/shell_run.h"

namespace vexa::rig {
namespace {

using namespace std::chrono_literals;

TEST(TransceiverOverRigctld, TunesThroughTheDaemonAndComesBackAfterItRestarts)
{
    if (!test::RigctldProcess::installed()) GTEST_SKIP() << "rigctld (libhamlib-utils) is not installed";
    test::RigctldProcess daemon(test::RigctldProcess::freePort());
    EventLoop loop;
    test::RecordingTransceiverHost host;
    Transceiver trx(host, loop);
    TransceiverLink link;
    trx.configure({TransceiverType::Hamlib, 0, PttMethod::Cat});
    ByteChannel* channel = link.open({TransceiverType::Hamlib, 0, "", 0, daemon.address()},
                                     [&] { loop.post([&] { trx.ComHandler(); }); });
    ASSERT_NE(channel, nullptr);
    trx.setChannel(channel, 0);
    ASSERT_TRUE(loop.runUntil([&] { return trx.frequencyReports() > 0 && !host.storedModes.empty(); }, 5s));

    host.mode = OperatingMode::Psk31;  // PSK31 with the carrier at 1000 Hz on USB
    trx.TuneTransceiver(14071000);
    trx.SetTransceiverMode(kTrxDigital);
    trx.SetPtt(true);
    ASSERT_TRUE(loop.runUntil([&] { return trx.idle(); }, 5s));
    // Sent is not yet read: under load the daemon takes its time, so ask until it answers.
    const std::string rigctl = "rigctl -m 2 -r " + daemon.address() + " ";
    const auto readsBack = [&](const std::string& command, const std::string& expected) {
        std::string out;
        for (int i = 0; i < 50; ++i) {
            out = test::runShell(rigctl + command).out.substr(0, expected.size());
            if (out == expected) break;
            loop.runFor(100ms);
        }
        return out;
    };
    EXPECT_EQ(readsBack("f", "14070000\n"), "14070000\n");
    EXPECT_EQ(readsBack("m", "USB\n"), "USB\n");
    EXPECT_EQ(readsBack("t", "1\n"), "1\n");

    daemon.stop();
    ASSERT_TRUE(loop.runUntil([&] { return !host.alerts.empty(); }, 5s));
    trx.TuneTransceiver(7036000);  // the window goes on while the daemon is away
    EXPECT_EQ(trx.dialFrequency(), 7035000);
    ASSERT_TRUE(daemon.start());
    test::runShell(rigctl + "F 3580000");
    const int before = trx.frequencyReports();
    ASSERT_TRUE(loop.runUntil(
        [&] { return trx.frequencyReports() > before && trx.dialFrequency() == 3580000; }, 10s));
    // Each loss and each return is said once: a daemon that is still starting may drop the
    // first connection again, so under load there can be more than one pair.
    ASSERT_GE(host.alerts.size(), 2u);
    ASSERT_EQ(host.alerts.size() % 2, 0u);
    for (std::size_t i = 0; i < host.alerts.size(); ++i) {
        const char* expected = i % 2 == 0 ? "Transceiver link lost" : "Transceiver link back";
        EXPECT_EQ(host.alerts[i].rfind(expected, 0), 0u) << host.alerts[i];
    }
}

TEST(TransceiverLink, OpensTheRadiosSerialLineWithItsStopBitsOrSaysWhyNot)
{
    test::Ts850Radio ts850;
    test::Ic735Radio ic735;
    TransceiverLink link;
    EXPECT_NE(link.open({TransceiverType::Ts850, 2, ts850.devicePath(), 4800, ""}, [] {}), nullptr);
    EXPECT_EQ(link.serialSettings().stopBits, 2);
    EXPECT_NE(link.open({TransceiverType::Ic735, 1, ic735.devicePath(), 1200, ""}, [] {}), nullptr);
    EXPECT_EQ(link.serialSettings().stopBits, 0);
    EXPECT_EQ(link.open({TransceiverType::Ft990, 3, "/dev/vexa-none", 4800, ""}, [] {}), nullptr);
    EXPECT_EQ(link.error(), "cannot open /dev/vexa-none");
    EXPECT_EQ(link.open({TransceiverType::Hamlib, 0, "", 0, "localhost:99999"}, [] {}), nullptr);
    EXPECT_EQ(link.error(), "bad rigctld address \"localhost:99999\"");
    EXPECT_EQ(link.open({TransceiverType::None, 0, "", 1200, ""}, [] {}), nullptr);
    EXPECT_TRUE(link.error().empty());
}

}  // namespace
}  // namespace vexa::rig
