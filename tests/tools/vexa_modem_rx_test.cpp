// vexa-modem rx end to end: real files in a temporary directory, the real executable.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cstdio>
#include <string>

#include "engine/audio/audio_file.h"
#include "support/psk_reference.h"
#include "support/shell_run.h"
#include "support/temp_dir.h"

namespace {

using Run = vexa::test::ShellRun;

Run run(const std::string& args)
{
    return vexa::test::runShell(std::string(VEXA_MODEM) + " " + args + " 2>&1");
}

constexpr std::string_view kText = "vexa-modem decodes this\r\n";

class VexaModemRx : public ::testing::Test {
protected:
    std::string writeSignal(const char* name, vexa::test::PskSignalOptions o)
    {
        const std::string path = dir.file(name);
        const auto samples = vexa::test::toPcm16(vexa::test::pskSignal(kText, o));
        EXPECT_TRUE(vexa::engine::writeWaveFile(path, samples).ok());
        return path;
    }
    vexa::test::TempDir dir;
};

TEST_F(VexaModemRx, DecodesPsk31AndQpskWavFilesWithTheirOptions)
{
    struct Case {
        const char* args;
        bool qpsk;
        double carrierHz;
        bool reverseSense;
        int leadBits;  // the AFC needs longer to pull in
    };
    for (const Case c : {Case{"--mode psk31", false, 1000.0, false, 40},
                         Case{"--mode qpsk --freq 1733", true, 1733.0, false, 40},
                         Case{"--mode qpsk --freq 1733 --reverse", true, 1733.0, true, 40},
                         Case{"--mode psk31 --freq 1500 --afc", false, 1503.0, false, 150}}) {
        SCOPED_TRACE(c.args);
        vexa::test::PskSignalOptions o;
        o.qpsk = c.qpsk;
        o.carrierHz = c.carrierHz;
        o.reverseSense = c.reverseSense;
        o.leadBits = c.leadBits;
        const auto r = run(std::string("rx ") + c.args + " " + writeSignal("signal.wav", o));
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.out.ends_with(kText)) << r.out;
    }
}

TEST_F(VexaModemRx, ConvertsOtherRatesAndStereo)
{
    vexa::test::PskSignalOptions o;
    o.sampleRate = 44100.0;
    o.carrierHz = 1250.0;
    const auto mono = vexa::test::pskSignal(kText, o);
    std::vector<float> stereo;
    for (const double v : mono) {  // the signal on the left, silence on the right
        stereo.push_back(static_cast<float>(v / 32768.0));
        stereo.push_back(0.0f);
    }
    const std::string path = dir.file("stereo44k.wav");
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    sf_writef_float(f, stereo.data(), static_cast<sf_count_t>(mono.size()));
    sf_close(f);
    const auto r = run("rx --mode psk31 --freq 1250 " + path);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.ends_with(kText)) << r.out;
}

TEST_F(VexaModemRx, ReadsRawSamplesFromStandardInput)
{
    vexa::test::PskSignalOptions o;
    const auto samples = vexa::test::toPcm16(vexa::test::pskSignal(kText, o));
    const std::string raw =
        dir.write("signal.raw", {reinterpret_cast<const char*>(samples.data()), samples.size() * 2});
    const auto r = run("rx --mode psk31 - < " + raw);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.ends_with(kText)) << r.out;
}

TEST_F(VexaModemRx, RefusesBadInputWithAMessage)
{
    const std::string text = dir.write("notes.txt", "this is not audio\n");
    auto r = run("rx --mode psk31 " + text);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("notes.txt"), std::string::npos) << r.out;

    r = run("rx --mode psk31 " + dir.file("missing.wav"));
    EXPECT_EQ(r.status, 1);
    r = run("rx --mode bpsk63 x.wav");
    EXPECT_EQ(r.status, 2);
    r = run("rx --mode psk31 --freq 9000 x.wav");
    EXPECT_EQ(r.status, 2);
    r = run("rx --mode psk31");
    EXPECT_EQ(r.status, 2);
}

}  // namespace
