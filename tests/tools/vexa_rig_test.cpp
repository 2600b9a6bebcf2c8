// vexa-rig as an operator runs it: against each simulated radio on a pseudo-terminal and
// against Hamlib's rigctld, with the exit status a script would test.
#include <gtest/gtest.h>

#include <future>

#include "support/radio_simulators.h"
#include "support/rigctld_process.h"
#include "support/shell_run.h"
#include "support/wake_counter.h"

namespace vexa {
namespace {

using test::runShell;
using test::ShellRun;

ShellRun rig(const std::string& args)
{
    return runShell(std::string(VEXA_RIG) + " " + args + " 2>&1");
}

std::string on(const test::PtyRadio& radio, const std::string& type)
{
    return "--type " + type + " --device " + radio.devicePath() + " ";
}

TEST(VexaRig, TunesSetsModeAndReadsEachSerialRadio)
{
    test::Ic735Radio ic735;
    test::Ft990Radio ft990;
    test::Ts850Radio ts850;
    const struct {
        test::PtyRadio& radio;
        std::string type;
        std::function<long long()> frequency;
        std::function<int()> mode;
        int usb;
    } radios[] = {
        {ic735, "ic735", [&] { return ic735.frequency(); }, [&] { return ic735.mode(); }, 0x01},
        {ft990, "ft990", [&] { return ft990.frequency(); }, [&] { return ft990.mode(); }, 0x01},
        {ts850, "ts850", [&] { return ts850.frequency(); }, [&] { return ts850.mode(); }, 2},
    };
    for (const auto& r : radios) {
        SCOPED_TRACE(r.type);
        ShellRun run = rig(on(r.radio, r.type) + "freq 14070150");
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_EQ(r.frequency(), 14070150);
        run = rig(on(r.radio, r.type) + "mode USB");
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_EQ(r.mode(), r.usb);
        run = rig(on(r.radio, r.type) + "get-freq");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "14070150\n");
    }
    ShellRun run = rig(on(ic735, "ic735") + "mode RTTY");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("cannot be set to that mode"), std::string::npos) << run.out;
    run = rig(on(ts850, "ts850") + "ptt on");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(test::eventually([&] { return ts850.ptt(); }));  // the radio reads at its own pace
    run = rig(on(ft990, "ft990") + "ptt on");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(test::eventually([&] { return ft990.ptt(); }));
}

TEST(VexaRig, MonitorPrintsWhatTheRadioReportsUntilInterrupted)
{
    test::Ic735Radio radio;
    radio.setFrequency(7035000);
    auto turn = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        radio.turnDial(7040000);
        radio.pressMode(0x03);
        radio.send(std::vector<uint8_t>{0xFE, 0xFE, 0x00, 0x10, 0x00, 0xFD});
    });
    const ShellRun run = runShell("timeout --preserve-status -s INT 2 " + std::string(VEXA_RIG) + " " +
                                  on(radio, "ic735") + "monitor");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "frequency 7035000\nmode USB\nfrequency 7040000\nmode CW\nframe 001000\n");
}

TEST(VexaRig, ExitStatusSaysNoAnswerBadValueOrBadUsage)
{
    test::Ts850Radio silent;
    silent.answerWith(";");  // answers nothing a radio would
    const struct {
        std::string args;
        int status;
        std::string says;
    } cases[] = {
        {on(silent, "ts850") + "get-freq", 1, "no answer"},
        {"--type ts850 --device /dev/vexa-none get-freq", 1, "/dev/vexa-none"},
        {on(silent, "ts850") + "freq 14.07", 1, "bad frequency '14.07'"},
        {on(silent, "ts850") + "mode SSB", 1, "unknown mode 'SSB'"},
        {"--type ic999 --device /dev/null get-freq", 2, "unknown --type"},
        {on(silent, "ts850") + "tune 7000000", 2, "usage:"},
        {on(silent, "ts850") + "ptt maybe", 2, "usage:"},
        {"get-freq", 2, "--type is missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const ShellRun run = rig(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
    }
}

TEST(VexaRig, DrivesRigctldAndReconnectsWhenItReturns)
{
    if (!test::RigctldProcess::installed()) GTEST_SKIP() << "rigctld (libhamlib-utils) is not installed";
    test::RigctldProcess daemon(test::RigctldProcess::freePort());
    const std::string hamlib = "--type hamlib --device " + daemon.address() + " ";
    const std::string rigctl = "rigctl -m 2 -r " + daemon.address() + " ";

    EXPECT_EQ(rig(hamlib + "freq 14070150").status, 0);
    EXPECT_EQ(runShell(rigctl + "f").out, "14070150\n");
    EXPECT_EQ(rig(hamlib + "mode LSB").status, 0);
    EXPECT_EQ(runShell(rigctl + "m").out.substr(0, 4), "LSB\n");
    EXPECT_EQ(rig(hamlib + "ptt on").status, 0);
    EXPECT_EQ(runShell(rigctl + "t").out, "1\n");
    EXPECT_EQ(rig(hamlib + "ptt off").status, 0);
    EXPECT_EQ(rig(hamlib + "get-freq").out, "14070150\n");

    // The daemon dies while vexa-rig watches, and comes back on another frequency.
    auto restart = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        daemon.stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        daemon.start();
        runShell(rigctl + "F 7035000");
    });
    const ShellRun run = runShell("timeout --preserve-status -s INT 9 " + std::string(VEXA_RIG) + " " +
                                  hamlib + "monitor 2>&1");
    restart.get();
    EXPECT_EQ(run.status, 0);
    const auto lost = run.out.find("Transceiver link lost: " + daemon.address());
    const auto back = run.out.find("Transceiver link back: " + daemon.address());
    EXPECT_NE(lost, std::string::npos) << run.out;
    EXPECT_NE(back, std::string::npos) << run.out;
    EXPECT_NE(run.out.find("frequency 7035000", back), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("frequency 14070150"), run.out.find("frequency")) << run.out;
}

}  // namespace
}  // namespace vexa
