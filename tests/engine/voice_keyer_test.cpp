// The voice keyer on an in-memory sound card: messages play in order with the key line on
// and the input closed, missing files are skipped, Esc (stop) ends the message playing at
// once, and a digital transmission is ended before the first message is keyed.
#include "engine/tx/voice_keyer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/tx/memory_transmit_audio.h"

namespace vexa::engine {
namespace {

// Recordings by file name; message k is a constant level of 1000 * (k + 1).
struct Recordings {
    std::map<std::string, std::vector<int16_t>> files;
    void add(const std::string& path, std::size_t samples, int16_t level)
    {
        files[path] = std::vector<int16_t>(samples, level);
    }
    VoiceKeyer::Loader loader()
    {
        return [this](const std::string& path, std::vector<int16_t>& out) {
            const auto it = files.find(path);
            if (it == files.end()) return false;
            out = it->second;
            return true;
        };
    }
};

struct Station {
    Station() { audio.OpenWaveIn(); }
    // Plays every queued block back to the keyer, as the sound card's OutputDone events do.
    std::vector<int16_t> playAll()
    {
        std::vector<int16_t> out;
        while (WaveHeader* h = audio.playNext(out)) keyer.onOutputDone(h);
        return out;
    }
    Recordings files;
    MemoryTransmitAudio audio;
    RecordingKeyLine key;
    int digitalEnded = 0;
    VoiceKeyer keyer{audio, key, files.loader(), [this] { ++digitalEnded; }};
};

TEST(VoiceKeyer, PlaysQueuedMessagesInOrderWithTheKeyOnAndSkipsMissingFiles)
{
    Station s;
    s.keyer.setDirectory("/voice");
    s.files.add("/voice/SSB1.wav", 5000, 1000);
    s.files.add("/voice/SSB3.wav", 100, 3000);
    s.keyer.queueMessage(0);
    EXPECT_TRUE(s.keyer.running());
    EXPECT_TRUE(s.key.on());
    EXPECT_FALSE(s.audio.inputOpen());
    EXPECT_EQ(s.digitalEnded, 1);
    s.keyer.queueMessage(1);  // no such file
    s.keyer.queueMessage(2);
    EXPECT_EQ(s.keyer.queued(), 2u);

    const std::vector<int16_t> played = s.playAll();
    // Message 1 in two blocks (the second padded with silence), message 3 in one.
    ASSERT_EQ(played.size(), 3u * 4096);
    EXPECT_EQ(played[4999], 1000);
    EXPECT_EQ(played[5000], 0);
    EXPECT_EQ(played[2 * 4096], 3000);
    EXPECT_EQ(played[2 * 4096 + 100], 0);
    EXPECT_FALSE(s.keyer.running());
    EXPECT_FALSE(s.key.on());
    EXPECT_EQ(s.key.keyDowns(), 1);
    EXPECT_TRUE(s.audio.inputOpen());
    EXPECT_FALSE(s.audio.outputOpen());
    EXPECT_EQ(s.digitalEnded, 1) << "only before the first message";
}

TEST(VoiceKeyer, StopEndsTheMessagePlayingAtOnce)
{
    Station s;
    s.files.add("SSB1.wav", 11025 * 10, 1000);
    s.keyer.queueMessage(0);
    s.keyer.queueMessage(0);
    std::vector<int16_t> out;
    s.keyer.onOutputDone(s.audio.playNext(out));
    s.keyer.stop();  // Esc
    EXPECT_FALSE(s.keyer.running());
    EXPECT_FALSE(s.key.on());
    EXPECT_EQ(s.keyer.queued(), 0u);
    EXPECT_FALSE(s.audio.outputOpen());
    EXPECT_TRUE(s.audio.inputOpen());
    // Blocks that were still out and come back afterwards change nothing.
    s.keyer.onOutputDone(&s.audio.outputHeaders()[2]);
    EXPECT_EQ(s.audio.writes, 5);
    EXPECT_EQ(s.key.keyDowns(), 1);
    EXPECT_EQ(s.key.keyUps(), 1);
}

TEST(VoiceKeyer, AnOutputThatFailsEndsTheMessageAndReleasesTheKey)
{
    Station s;
    s.files.add("SSB1.wav", 11025 * 10, 1000);
    s.audio.refuseWritesAfter = 6;
    s.keyer.queueMessage(0);
    s.playAll();
    EXPECT_FALSE(s.keyer.running());
    EXPECT_FALSE(s.key.on());
    EXPECT_TRUE(s.audio.inputOpen());

    Station dead;
    dead.files.add("SSB1.wav", 100, 1000);
    dead.audio.failOpenOutput = true;
    dead.keyer.queueMessage(0);
    EXPECT_FALSE(dead.keyer.running());
    EXPECT_FALSE(dead.key.on());
    EXPECT_TRUE(dead.audio.inputOpen());
}

}  // namespace
}  // namespace vexa::engine
