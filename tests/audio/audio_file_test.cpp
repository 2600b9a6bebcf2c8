// Audio files: what the tools and the demo input read must come out as 11025 Hz mono
// 16-bit whatever the file's own rate and channel count, and a non-audio file must be
// reported as such rather than read as noise.
#include "engine/audio/audio_file.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "support/temp_dir.h"
#include "support/tone.h"

namespace vexa::engine {
namespace {

void writeFloatFile(const std::string& path, int rate, int channels, const std::vector<float>& frames)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    sf_writef_float(f, frames.data(), static_cast<sf_count_t>(frames.size() / static_cast<size_t>(channels)));
    sf_close(f);
}

TEST(AudioFile, WaveWrittenAndReadBackIsBitExact)
{
    test::TempDir dir;
    std::vector<int16_t> samples;
    for (int i = 0; i < 5000; ++i) samples.push_back(static_cast<int16_t>((i * 7919) % 65536 - 32768));
    samples.push_back(32767);
    samples.push_back(-32768);
    const std::string path = dir.file("round.wav");
    ASSERT_TRUE(writeWaveFile(path, samples).ok());

    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(info.samplerate, 11025);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    sf_close(f);

    const AudioReadResult r = readAudioFile(path);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.samples, samples);
    EXPECT_EQ(r.sourceRate, 11025);
}

TEST(AudioFile, StereoAt44100IsMixedDownAndResampled)
{
    test::TempDir dir;
    const int rate = 44100;
    std::vector<float> frames;
    // Left: 1000 Hz at 0.5; right: 1000 Hz at 0.3 -> mono 1000 Hz at 0.4 full scale.
    for (int i = 0; i < rate; ++i) {
        const double v = std::sin(2.0 * std::numbers::pi * 1000.0 * i / rate);
        frames.push_back(static_cast<float>(0.5 * v));
        frames.push_back(static_cast<float>(0.3 * v));
    }
    const std::string path = dir.file("stereo.wav");
    writeFloatFile(path, rate, 2, frames);

    const AudioReadResult r = readAudioFile(path);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.sourceRate, 44100);
    EXPECT_EQ(r.sourceChannels, 2);
    EXPECT_NEAR(static_cast<double>(r.samples.size()), 11025.0, 2.0);
    std::span<const int16_t> middle(r.samples.data() + 2000, 4096);
    EXPECT_NEAR(test::toneLevel(middle, 1000.0), 0.4 * 32768.0, 0.01 * 32768.0);
    EXPECT_LT(test::toneLevel(middle, 1500.0), 0.005 * 32768.0);
}

TEST(AudioFile, OverloadedFloatInputIsClippedNotWrapped)
{
    test::TempDir dir;
    const std::string path = dir.file("loud.wav");
    writeFloatFile(path, 11025, 1, {2.0F, -2.0F, 0.5F});
    const AudioReadResult r = readAudioFile(path);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.samples, (std::vector<int16_t>{32767, -32768, 16384}));
}

TEST(AudioFile, NonFiniteFloatSamplesBecomeSilenceOrFullScale)
{
    test::TempDir dir;
    const float nan = std::nanf("");
    const float inf = HUGE_VALF;
    writeFloatFile(dir.file("native.wav"), 11025, 1, {nan, inf, -inf, 0.5F});
    AudioReadResult r = readAudioFile(dir.file("native.wav"));
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.samples, (std::vector<int16_t>{0, 32767, -32768, 16384}));
    // Stereo with +inf on one side and -inf on the other mixes to silence, not NaN.
    writeFloatFile(dir.file("stereo.wav"), 11025, 2, {inf, -inf, 0.25F, 0.25F});
    r = readAudioFile(dir.file("stereo.wav"));
    EXPECT_EQ(r.samples, (std::vector<int16_t>{0, 8192}));

    // Through the resampler one bad sample must not spread: the result is that of the
    // same recording with the NaN as silence and the infinities at full scale.
    std::vector<float> tone(48000);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = 0.3F * static_cast<float>(std::sin(2.0 * std::numbers::pi * 700.0 * i / 48000.0));
    std::vector<float> bad = tone;
    std::vector<float> clean = tone;
    bad[10000] = nan;
    clean[10000] = 0.0F;
    bad[30000] = inf;
    clean[30000] = 1.0F;
    writeFloatFile(dir.file("bad.wav"), 48000, 1, bad);
    writeFloatFile(dir.file("clean.wav"), 48000, 1, clean);
    const AudioReadResult got = readAudioFile(dir.file("bad.wav"));
    const AudioReadResult want = readAudioFile(dir.file("clean.wav"));
    ASSERT_TRUE(got.ok() && want.ok());
    EXPECT_EQ(got.samples, want.samples);
}

TEST(AudioFile, ErrorsSayWhatIsWrong)
{
    test::TempDir dir;
    const AudioReadResult missing = readAudioFile(dir.file("nothing.wav"));
    EXPECT_EQ(missing.error, AudioFileError::CannotOpen);
    EXPECT_NE(missing.message.find("nothing.wav"), std::string::npos);

    const std::string text = dir.file("notes.wav");
    std::ofstream(text) << "CQ CQ de XX9XX\n";
    const AudioReadResult notAudio = readAudioFile(text);
    EXPECT_EQ(notAudio.error, AudioFileError::NotAudio);
    EXPECT_TRUE(notAudio.samples.empty());
    EXPECT_NE(notAudio.message.find("not an audio file"), std::string::npos);

    const std::vector<int16_t> some(10, 1);
    const AudioWriteResult bad = writeWaveFile(dir.file("no/such/dir/out.wav"), some);
    EXPECT_EQ(bad.error, AudioFileError::WriteFailed);
    EXPECT_FALSE(bad.message.empty());
}

TEST(AudioFile, MemoryImageReadsLikeAFile)
{
    test::TempDir dir;
    const std::vector<int16_t> samples{1, -2, 3, -4, 1000};
    const std::string path = dir.file("m.wav");
    ASSERT_TRUE(writeWaveFile(path, samples).ok());
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    const AudioReadResult r = readAudioMemory(bytes, "image");
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.samples, samples);
    const std::vector<unsigned char> junk{'R', 'I', 'F', 'F', 0, 0};
    EXPECT_EQ(readAudioMemory(junk, "junk").error, AudioFileError::NotAudio);
}

}  // namespace
}  // namespace vexa::engine
