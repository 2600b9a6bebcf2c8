// The transmit path and the voice keyer on the real SoundCard with the file backend: the
// OutputDone events come from the backend's thread and are handed to the transmit state
// machine on the test's thread, as the main window does; the file holds what was played.
#include <gtest/gtest.h>

#include "engine/audio/audio_file.h"
#include "engine/audio/sound_card.h"
#include "engine/audio/wave_file_backend.h"
#include "engine/rx/psk_receiver.h"
#include "engine/rx/text_sink.h"
#include "engine/tx/voice_keyer.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/transmit_round_trip.h"
#include "support/wave_event_queue.h"

namespace vexa::engine {
namespace {

// The GUI thread's message queue, reduced to wave events; pop() waits up to 5 s.
using EventQueue = vexa::test::WaveEventQueue;

// Hands the OutputDone events of the card's open output to `done` while `running()` holds,
// as the GUI thread does; how many it handed.
template <typename Running, typename Done>
int playOut(EventQueue& events, const SoundCard& card, Running running, Done done)
{
    int blocks = 0;
    while (running() && blocks < 200) {
        const auto e = events.pop();
        if (!e) break;
        if (e->message == WaveMessage::OutputDone && card.outputOpen() && e->device == card.outputDevice()) {
            done(e->header);
            ++blocks;
        }
    }
    return blocks;
}

// What the window plays through: the sound card on a file backend written as fast as it
// goes, its events queued for this thread.
struct FileSoundCard {
    explicit FileSoundCard(const std::string& playedFile)
        : backend(WaveFileOptions{.outputPath = playedFile, .pacedOutput = false}),
          card(backend, [this](const WaveEvent& e) { events.push(e); }),
          audio(card)
    {
    }
    WaveFileBackend backend;
    EventQueue events;
    SoundCard card;
    SoundCardTransmitAudio<SoundCard> audio;
};

TEST(TransmitOnSoundCard, PskTransmissionIsPlayedAndEnds)
{
    vexa::test::TempDir dir;
    const std::string out = dir.file("played.wav");
    FileSoundCard sound(out);
    auto& [backend, events, card, audio] = sound;

    test::Transmitter tx(audio, "\r\nsound card transmit test\r\n");
    auto& [table, key, source, machine] = tx;
    machine.setFrequency(1100.0);
    ASSERT_EQ(machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    EXPECT_TRUE(card.outputOpen());
    playOut(
        events, card, [&] { return machine.active(); }, [&](WaveHeader* h) { machine.FillTransmitBlock(h); });
    EXPECT_FALSE(machine.active());
    EXPECT_FALSE(key.on());
    EXPECT_FALSE(card.outputOpen());

    const AudioReadResult played = readAudioFile(out);
    ASSERT_TRUE(played.ok()) << played.message;
    std::string text;
    TextSink sink(&text);
    PskReceiver rx(table, sink);
    rx.setFrequency(1100.0);
    rx.process(played.samples);
    EXPECT_NE(text.find("\r\nsound card transmit test\r\n"), std::string::npos) << text;
}

TEST(TransmitOnSoundCard, AnOutputThatFailsMidTransmissionEndsItAndReopensTheInput)
{
    // The played file hits a full disk after about three blocks, while a text that never
    // ends is being sent: only the failure can end this transmission.
    vexa::test::TempDir dir;
    WaveFileBackend backend(
        std::vector<int16_t>(11025, 0),
        {.pacedInput = false, .outputPath = dir.file("played.wav"), .pacedOutput = false});
    EventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
    SoundCardTransmitAudio<SoundCard> audio(card);
    card.OpenWaveIn();
    ASSERT_TRUE(card.inputOpen());

    test::Transmitter tx(audio, "endless", StringTransmitSource::kNoEnd);
    auto& [table, key, source, machine] = tx;
    int failures = 0;
    machine.setOutputFailureHook([&] { ++failures; });
    vexa::test::FileSizeLimit disk(44 + 3 * 8192 + 1000);
    ASSERT_TRUE(disk.active());
    ASSERT_EQ(machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    const int blocks = playOut(
        events, card, [&] { return machine.active(); }, [&](WaveHeader* h) { machine.FillTransmitBlock(h); });
    EXPECT_FALSE(machine.active());
    EXPECT_LT(blocks, 10);
    EXPECT_FALSE(key.on());
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(card.outputOpen());
    EXPECT_TRUE(card.inputOpen()) << "receiving again";
    EXPECT_NE(backend.outputError(), "");
}

TEST(TransmitOnSoundCard, VoiceKeyerPlaysTheRecording)
{
    vexa::test::TempDir dir;
    std::vector<int16_t> voice(20000, 1234);
    ASSERT_TRUE(writeWaveFile(dir.file("SSB2.wav"), voice).ok());
    FileSoundCard sound(dir.file("played.wav"));
    auto& [backend, events, card, audio] = sound;
    RecordingKeyLine key;
    VoiceKeyer keyer(audio, key, [](const std::string& path, std::vector<int16_t>& samples) {
        AudioReadResult file = readAudioFile(path);
        samples = std::move(file.samples);
        return file.ok();
    });
    keyer.setDirectory(dir.path().string());
    keyer.queueMessage(1);
    playOut(
        events, card, [&] { return keyer.running(); }, [&](WaveHeader* h) { keyer.onOutputDone(h); });
    EXPECT_FALSE(keyer.running());
    EXPECT_FALSE(key.on());
    EXPECT_EQ(key.keyDowns(), 1);
    const AudioReadResult played = readAudioFile(dir.file("played.wav"));
    ASSERT_TRUE(played.ok());
    ASSERT_EQ(played.samples.size(), 5u * 4096);
    EXPECT_EQ(played.samples[0], 1234);
    EXPECT_EQ(played.samples[19999], 1234);
    EXPECT_EQ(played.samples[20000], 0);
}

}  // namespace
}  // namespace vexa::engine
