// The transmit path and the voice keyer on the real SoundCard with the file backend: the
// OutputDone events come from the backend's thread and are handed to the transmit state
// machine on the test's thread, as the main window does; the file holds what was played.
#include <gtest/gtest.h>

#include "engine/audio/audio_file.h"
#include "engine/audio/sound_card.h"
#include "engine/audio/wave_file_backend.h"
#include "engine/rx/psk_receiver.h"
#include "engine/rx/text_sink.h"
#include "engine/rx/varicode_table.h"
#include "engine/tx/string_transmit_source.h"
#include "engine/tx/transmit_machine.h"
#include "engine/tx/voice_keyer.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/wave_event_queue.h"

namespace vexa::engine {
namespace {

// The GUI thread's message queue, reduced to wave events; pop() waits up to 5 s.
using EventQueue = vexa::test::WaveEventQueue;

// The next event, as the GUI thread would take it; false when none came.
bool take(EventQueue& events, WaveEvent& e)
{
    const auto next = events.pop();
    if (next) e = *next;
    return next.has_value();
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

    SineTable table;
    RecordingKeyLine key;
    StringTransmitSource source("\r\nsound card transmit test\r\n");
    TransmitMachine machine(table, audio, key, source);
    machine.setVaricode(kVaricodeTable);
    machine.setFrequency(1100.0);
    ASSERT_EQ(machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    EXPECT_TRUE(card.outputOpen());
    WaveEvent e{};
    while (machine.active() && take(events, e))
        if (e.message == WaveMessage::OutputDone && e.device == card.outputDevice())
            machine.FillTransmitBlock(e.header);
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

    SineTable table;
    RecordingKeyLine key;
    StringTransmitSource source("endless", StringTransmitSource::kNoEnd);
    TransmitMachine machine(table, audio, key, source);
    machine.setVaricode(kVaricodeTable);
    int failures = 0;
    machine.setOutputFailureHook([&] { ++failures; });
    vexa::test::FileSizeLimit disk(44 + 3 * 8192 + 1000);
    ASSERT_TRUE(disk.active());
    ASSERT_EQ(machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    WaveEvent e{};
    int blocks = 0;
    while (machine.active() && blocks < 200 && take(events, e)) {
        if (e.message == WaveMessage::OutputDone && e.device == card.outputDevice()) {
            machine.FillTransmitBlock(e.header);
            ++blocks;
        }
    }
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
    WaveEvent e{};
    while (keyer.running() && take(events, e))
        if (e.message == WaveMessage::OutputDone && card.outputOpen() && e.device == card.outputDevice())
            keyer.onOutputDone(e.header);
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
