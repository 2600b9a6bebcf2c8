// vexa-modem rx in the RTTY and FSK31 modes, run as a separate process on WAV files and on
// raw audio piped to standard input: the independent generator's 100 Bd RTTY and FSK31
// (minimodem's RTTY through vexa-modem rx is in the minimodem suite).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/audio/audio_file.h"
#include "support/fsk_test_signal.h"
#include "support/shell_run.h"
#include "support/temp_dir.h"

namespace vexa {
namespace {

using ToolRun = test::ShellRun;

ToolRun vexaModem(const std::string& arguments)
{
    return test::runShell(std::string(VEXA_MODEM) + " " + arguments + " 2>/dev/null");
}

class VexaModemRttyFsk31 : public ::testing::Test {
protected:
    std::string writeWav(const std::string& name, const std::vector<int16_t>& samples)
    {
        const std::string path = dir.file(name);
        EXPECT_TRUE(engine::writeWaveFile(path, samples).ok());
        return path;
    }
    test::TempDir dir;
};

TEST_F(VexaModemRttyFsk31, Rtty100FromFileAndRawStandardInput)
{
    const std::string text = "RYRY DE DL0VXA 100 BAUD TEST 73";
    const auto pcm = test::rttyPcm(text, {1285.0, 1115.0, 100.0}, true, 12000.0);
    const std::string wav = writeWav("rtty100.wav", pcm);

    const ToolRun fromFile = vexaModem("rx --mode rtty100 --freq 1200 " + wav);
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.out, text);

    const std::string raw = dir.file("rtty100.raw");
    {
        std::FILE* f = std::fopen(raw.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        for (int16_t s : pcm) {
            const unsigned char b[2] = {static_cast<unsigned char>(s & 0xFF),
                                        static_cast<unsigned char>((s >> 8) & 0xFF)};
            std::fwrite(b, 1, 2, f);
        }
        std::fclose(f);
    }
    EXPECT_EQ(vexaModem("rx --mode rtty100 --freq 1200 - < " + raw).out, text);
    // At 45.45 Bd the same audio is nonsense.
    EXPECT_NE(vexaModem("rx --mode rtty --freq 1200 " + wav).out, text);
}

TEST_F(VexaModemRttyFsk31, Fsk31WithAfc)
{
    const std::string text = "cq cq de dl0vxa dl0vxa pse k ";
    std::string sent;
    for (int i = 0; i < 3; ++i) sent += text;
    // 2 Hz above the receiver.
    const std::string wav = writeWav("fsk31.wav", test::fsk31Pcm(sent, 1502.0, 12000.0));

    const ToolRun r = vexaModem("rx --mode fsk31 --freq 1500 --afc " + wav);
    EXPECT_EQ(r.status, 0);
    ASSERT_GE(r.out.size(), text.size());
    // The AFC needs the first words to pull in; the last round must be clean.
    EXPECT_EQ(r.out.substr(r.out.size() - text.size()), text) << r.out;
}

TEST_F(VexaModemRttyFsk31, UnknownModeIsAUsageError)
{
    EXPECT_EQ(vexaModem("rx --mode rtty75 x.wav").status, 2);
}

}  // namespace
}  // namespace vexa
