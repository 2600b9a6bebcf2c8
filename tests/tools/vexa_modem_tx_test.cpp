// vexa-modem tx end to end: the real executable writes exactly what the transmit path
// plays, its output decodes with vexa-modem rx (through a pipe, too), and bad input ends
// with a message and a non-zero exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/audio/audio_file.h"
#include "engine/rx/varicode_table.h"
#include "engine/tx/memory_transmit_audio.h"
#include "engine/tx/string_transmit_source.h"
#include "engine/tx/transmit_machine.h"
#include "support/shell_run.h"
#include "support/temp_dir.h"

namespace {

using namespace vexa::engine;

using vexa::test::ShellRun;

ShellRun shell(const std::string& command)
{
    return vexa::test::runShell(command + " 2>&1");
}

const std::string kModem = VEXA_MODEM;

TEST(VexaModemTx, WritesExactlyWhatTheTransmitPathPlays)
{
    vexa::test::TempDir dir;
    const std::string path = dir.file("psk.wav");
    const ShellRun r = shell(kModem + " tx --mode psk31 --freq 1234.5 'cq de dl1abc k' " + path);
    ASSERT_EQ(r.status, 0) << r.out;
    const AudioReadResult file = readAudioFile(path);
    ASSERT_TRUE(file.ok());

    SineTable table;
    MemoryTransmitAudio audio;
    RecordingKeyLine key;
    StringTransmitSource source("cq de dl1abc k");
    TransmitMachine machine(table, audio, key, source);
    machine.setVaricode(kVaricodeTable);
    machine.setFrequency(1234.5);
    const std::vector<int16_t> expected = renderTransmission(machine, audio, 10'000'000);
    EXPECT_EQ(file.samples, expected);
    EXPECT_EQ(file.samples.size() % 4096, 0u);
}

TEST(VexaModemTx, PipesIntoVexaModemRx)
{
    for (const char* mode : {"psk31", "qpsk"}) {
        SCOPED_TRACE(mode);
        const ShellRun r = shell("printf 'tx through a pipe\\r\\n' | " + kModem + " tx --mode " + mode +
                                 " --freq 1500 - - | " + kModem + " rx --mode " + mode + " --freq 1500 -");
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("tx through a pipe\r\n"), std::string::npos) << r.out;
    }
}

TEST(VexaModemTx, ReverseOnBothEnds)
{
    for (const char* mode : {"qpsk", "rtty"}) {
        SCOPED_TRACE(mode);
        const std::string tx = kModem + " tx --mode " + mode + " --freq 1500 --reverse 'REVERSED 73' - | ";
        const ShellRun both = shell(tx + kModem + " rx --mode " + mode + " --freq 1500 --reverse -");
        EXPECT_EQ(both.status, 0);
        EXPECT_NE(both.out.find("REVERSED 73"), std::string::npos) << both.out;
        const ShellRun one = shell(tx + kModem + " rx --mode " + mode + " --freq 1500 -");
        EXPECT_EQ(one.out.find("REVERSED 73"), std::string::npos) << one.out;
    }
}

TEST(VexaModemTx, CwIdAndEveryMode)
{
    vexa::test::TempDir dir;
    for (const char* mode : {"psk31", "qpsk", "fsk31", "rtty", "rtty100"}) {
        SCOPED_TRACE(mode);
        const std::string path = dir.file(std::string(mode) + ".wav");
        const ShellRun r = shell(kModem + " tx --mode " + mode + " 'RYRY 73' " + path);
        EXPECT_EQ(r.status, 0) << r.out;
        const AudioReadResult file = readAudioFile(path);
        ASSERT_TRUE(file.ok());
        EXPECT_GT(file.samples.size(), 4096u);
    }
    const std::string plain = dir.file("plain.wav"), id = dir.file("id.wav");
    ASSERT_EQ(shell(kModem + " tx --mode psk31 'de dl1abc' " + plain).status, 0);
    ASSERT_EQ(shell(kModem + " tx --mode psk31 --cwid DL1ABC 'de dl1abc' " + id).status, 0);
    // Six characters of Morse at 2 symbols per unit: several seconds more.
    EXPECT_GT(readAudioFile(id).samples.size(), readAudioFile(plain).samples.size() + 3 * 11025);
}

// -6 dB halves the amplitude of every sample, the Morse identification's included.
TEST(VexaModemTx, LevelScalesEverySampleCwIdIncluded)
{
    vexa::test::TempDir dir;
    const std::string full = dir.file("full.wav"), half = dir.file("half.wav");
    ASSERT_EQ(shell(kModem + " tx --mode psk31 --cwid DL1ABC 'de dl1abc' " + full).status, 0);
    const ShellRun r = shell(kModem + " tx --mode psk31 --cwid DL1ABC --level -6 'de dl1abc' " + half);
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<int16_t> a = readAudioFile(full).samples, b = readAudioFile(half).samples;
    ASSERT_EQ(a.size(), b.size());
    int peakA = 0, peakB = 0;
    std::size_t off = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        peakA = std::max(peakA, std::abs(int{a[i]}));
        peakB = std::max(peakB, std::abs(int{b[i]}));
        if (std::abs(a[i] * 0.501187 - b[i]) > 1.0) ++off;
    }
    EXPECT_EQ(off, 0u);
    EXPECT_GT(peakA, 16000);
    EXPECT_NEAR(static_cast<double>(peakB) / peakA, 0.5, 0.005);
}

TEST(VexaModemTx, BadInputIsExplained)
{
    vexa::test::TempDir dir;
    const std::string out = dir.file("x.wav");
    struct Case {
        std::string args;
        const char* says;
    };
    for (const Case& c : {Case{"tx --mode olivia hi " + out, "unknown mode 'olivia'"},
                          Case{"tx --mode psk31 --freq 9k hi " + out, "--freq '9k'"},
                          Case{"tx --mode psk31 --freq 20000 hi " + out, "100 to 5000 Hz"},
                          Case{"tx --mode rtty --cwid DL1ABC hi " + out, "--cwid"},
                          Case{"tx --mode psk31 --level 3 hi " + out, "--level '3'"},
                          Case{"tx --mode psk31 --level -6.5 hi " + out, "from -40 to 0"},
                          Case{"tx --mode psk31 hi", "usage"},
                          Case{"tx --mode psk31 hi " + dir.file("no/such/dir/x.wav"), "x.wav"}}) {
        SCOPED_TRACE(c.args);
        const ShellRun r = shell(kModem + " " + c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.out.find(c.says), std::string::npos) << r.out;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
