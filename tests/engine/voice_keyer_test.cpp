// The voice keyer: messages play in order with the key line on, Esc drops what has not
// started, a message queued while the thread finishes is not lost; the file player sends
// a recording through the output blocks.
#include "engine/tx/voice_keyer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/audio/audio_file.h"
#include "engine/audio/voice_file_player.h"
#include "engine/tx/memory_transmit_audio.h"
#include "support/temp_dir.h"

namespace vexa::engine {
namespace {

// Records the files played; play() can be held until released.
class ScriptedPlayer : public VoicePlayer {
public:
    bool play(const std::string& path) override
    {
        std::unique_lock lock(m_mutex);
        played.push_back(path);
        keyedDuringPlay = keyedDuringPlay && key != nullptr && key->on();
        ++m_started;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_hold; });
        return true;
    }
    void hold(bool h)
    {
        std::lock_guard lock(m_mutex);
        m_hold = h;
        m_changed.notify_all();
    }
    void waitStarted(int n)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_started >= n; });
    }
    std::vector<std::string> played;
    const RecordingKeyLine* key = nullptr;
    bool keyedDuringPlay = true;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_hold = false;
    int m_started = 0;
};

TEST(VoiceKeyer, PlaysQueuedMessagesInOrderWithTheKeyOn)
{
    MemoryTransmitAudio audio;
    audio.OpenWaveIn();
    RecordingKeyLine key;
    ScriptedPlayer player;
    player.key = &key;
    int digitalEnded = 0;
    VoiceKeyer keyer(audio, key, player, [&] { ++digitalEnded; });
    player.hold(true);
    keyer.queueMessage(0);
    player.waitStarted(1);
    EXPECT_FALSE(audio.inputOpen());
    keyer.queueMessage(2);
    keyer.queueMessage(1);
    EXPECT_TRUE(keyer.running());
    player.hold(false);
    keyer.waitIdle();
    EXPECT_EQ(player.played, (std::vector<std::string>{"SSB1.wav", "SSB3.wav", "SSB2.wav"}));
    EXPECT_TRUE(player.keyedDuringPlay);
    EXPECT_FALSE(key.on());
    EXPECT_EQ(key.keyDowns(), 1);
    EXPECT_TRUE(audio.inputOpen());
    EXPECT_EQ(digitalEnded, 1);
}

TEST(VoiceKeyer, EscDropsMessagesNotStarted)
{
    MemoryTransmitAudio audio;
    RecordingKeyLine key;
    ScriptedPlayer player;
    VoiceKeyer keyer(audio, key, player);
    keyer.setDirectory("/data");
    player.hold(true);
    keyer.queueMessage(4);
    player.waitStarted(1);
    keyer.queueMessage(5);
    keyer.queueMessage(6);
    keyer.clearQueue();
    player.hold(false);
    keyer.waitIdle();
    EXPECT_EQ(player.played, (std::vector<std::string>{"/data/SSB5.wav"}));
    EXPECT_FALSE(audio.inputOpen());  // it was closed before: stays closed
}

TEST(VoiceKeyer, NoMessageIsLostWhileTheThreadFinishes)
{
    // Messages arriving at random moments around the end of the thread: every one plays.
    MemoryTransmitAudio audio;
    RecordingKeyLine key;
    ScriptedPlayer player;
    VoiceKeyer keyer(audio, key, player);
    int queued = 0;
    for (int round = 0; round < 200; ++round) {
        keyer.queueMessage(round % 12);
        ++queued;
        if (round % 3 == 0) std::this_thread::sleep_for(std::chrono::microseconds(round % 50));
    }
    keyer.waitIdle();
    // A message queued after waitIdle saw the thread finished starts a fresh one.
    keyer.queueMessage(0);
    ++queued;
    keyer.waitIdle();
    EXPECT_EQ(static_cast<int>(player.played.size()), queued);
    EXPECT_FALSE(key.on());
    EXPECT_EQ(key.keyDowns(), key.keyUps());
}

// A sound card whose blocks come back as soon as they are written.
class InstantAudio : public MemoryTransmitAudio {
public:
    bool writeOutput(WaveHeader& header) override
    {
        if (!outputOpen()) return false;
        played.insert(played.end(), header.data, header.data + header.bufferLength / 2);
        if (player != nullptr) player->onOutputDone(&header);
        return true;
    }
    VoiceFilePlayer* player = nullptr;
    std::vector<int16_t> played;
};

TEST(VoiceFilePlayer, SendsTheRecordingThroughTheOutputBlocks)
{
    vexa::test::TempDir dir;
    std::vector<int16_t> voice(10000);
    for (std::size_t i = 0; i < voice.size(); ++i) voice[i] = static_cast<int16_t>((i * 37) % 2000 - 1000);
    ASSERT_TRUE(writeWaveFile(dir.file("SSB1.wav"), voice).ok());

    InstantAudio audio;
    VoiceFilePlayer player(audio);
    audio.player = &player;
    ASSERT_TRUE(player.play(dir.file("SSB1.wav")));
    ASSERT_EQ(audio.played.size(), 3u * 4096);  // three blocks, the last padded with silence
    EXPECT_TRUE(std::equal(voice.begin(), voice.end(), audio.played.begin()));
    EXPECT_TRUE(
        std::all_of(audio.played.begin() + 10000, audio.played.end(), [](int16_t s) { return s == 0; }));
    EXPECT_FALSE(audio.outputOpen());
    EXPECT_FALSE(player.play(dir.file("SSB2.wav")));  // missing: skipped
}

}  // namespace
}  // namespace vexa::engine
