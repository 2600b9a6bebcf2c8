// What the sound card is at start: the demo recording when asked for or when the named
// device does not exist, and a silently failing device when there is nothing at all.
#include "app/sound_backend.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/audio/audio_file.h"
#include "engine/audio/null_wave_backend.h"
#include "support/temp_dir.h"
#include "support/wave_event_queue.h"

namespace vexa::app {
namespace {

// A system without any sound device, without asking PortAudio (whose host libraries are
// tested, with a real sound server, in test_audio_device).
std::unique_ptr<engine::WaveBackend> noCard(const engine::SoundChoice&)
{
    return std::make_unique<engine::NullWaveBackend>();
}

const engine::SoundChoice named{.inputDevice = "No Such Card"};

std::filesystem::path makeRecording(const test::TempDir& dir)
{
    std::vector<int16_t> samples(3000);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(i);
    const std::string path = dir.file("demo.wav");
    EXPECT_TRUE(engine::writeWaveFile(path, samples).ok());
    return path;
}

TEST(SoundBackend, DemoRequestedLoopsTheRecording)
{
    test::TempDir dir;
    SoundBackendChoice choice = chooseSoundBackend(true, {}, makeRecording(dir), noCard);
    ASSERT_TRUE(choice.backend);
    EXPECT_TRUE(choice.demo);
    EXPECT_EQ(choice.notice, "");
    test::WaveEventQueue events;
    engine::SoundCard card(*choice.backend, [&](const engine::WaveEvent& e) { events.push(e); });
    card.OpenWaveIn();
    ASSERT_TRUE(card.inputOpen());
    const auto first = events.pop();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->header->bytesRecorded, 4096U);
    card.addInputBuffer(*first->header);
    const auto second = events.pop();  // past the end of the 3000 samples: looped
    ASSERT_TRUE(second);
    EXPECT_EQ(second->header->bytesRecorded, 4096U);
    EXPECT_EQ(second->header->data[0], 2048);
    EXPECT_EQ(second->header->data[952], 0);
    card.CloseWaveIn();
}

TEST(SoundBackend, MissingOrBrokenDemoIsReported)
{
    test::TempDir dir;
    SoundBackendChoice none = chooseSoundBackend(true, named, std::nullopt, noCard);
    ASSERT_TRUE(none.backend);
    EXPECT_FALSE(none.demo);
    EXPECT_NE(none.notice.find("demo.wav is not installed"), std::string::npos);

    std::ofstream(dir.file("broken.wav")) << "not audio";
    SoundBackendChoice broken = chooseSoundBackend(true, named, dir.path() / "broken.wav", noCard);
    EXPECT_FALSE(broken.demo);
    EXPECT_NE(broken.notice.find("not an audio file"), std::string::npos);
    engine::SoundCard card(*broken.backend, [](const engine::WaveEvent&) {});
    card.OpenWaveIn();
    EXPECT_FALSE(card.inputOpen());  // the named device does not exist: silently closed
}

TEST(SoundBackend, UnknownDeviceFallsBackToTheDemo)
{
    test::TempDir dir;
    SoundBackendChoice choice = chooseSoundBackend(false, named, makeRecording(dir), noCard);
    EXPECT_TRUE(choice.demo);
    EXPECT_EQ(choice.notice, "Sound device \"No Such Card\" not found; receiving the demo recording");

    SoundBackendChoice nothing = chooseSoundBackend(false, named, std::nullopt, noCard);
    EXPECT_FALSE(nothing.demo);
    EXPECT_EQ(nothing.notice, "Sound device \"No Such Card\" not found");
    SoundBackendChoice noDefault = chooseSoundBackend(false, {}, std::nullopt, noCard);
    EXPECT_EQ(noDefault.notice, "No sound card found");
    engine::SoundCard card(*noDefault.backend, [](const engine::WaveEvent&) {});
    card.OpenWaveIn();
    EXPECT_FALSE(card.inputOpen());
}

}  // namespace
}  // namespace vexa::app
