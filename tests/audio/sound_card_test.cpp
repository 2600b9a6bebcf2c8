// The sound card over the WAV-file and null backends: blocks circulate in order, a short
// final block ends a recording, output blocks reach the file, and opening or closing twice,
// or a device that is missing or fails half way, leaves Vexa running and able to retry.
#include "engine/audio/sound_card.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>

#include "engine/audio/audio_file.h"
#include "engine/audio/null_wave_backend.h"
#include "engine/audio/wave_file_backend.h"
#include "support/silent_card.h"
#include "support/temp_dir.h"
#include "support/wave_event_queue.h"

namespace vexa::engine {
namespace {

using namespace std::chrono_literals;

std::vector<int16_t> ramp(size_t n)
{
    std::vector<int16_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<int16_t>(i % 30000);
    return v;
}

WaveFileOptions fast()
{
    WaveFileOptions o;
    o.pacedInput = false;
    o.pacedOutput = false;
    return o;
}

TEST(SoundCard, WaveInputDeliversFullBlocksInOrderThenAShortOne)
{
    const std::vector<int16_t> source = ramp(3 * 2048 + 100);
    WaveFileBackend backend(source, fast());
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });

    card.OpenWaveIn();
    ASSERT_TRUE(card.inputOpen());
    size_t position = 0;
    for (int block = 0; block < 4; ++block) {
        SCOPED_TRACE(block);
        const auto e = events.pop();
        ASSERT_TRUE(e);
        EXPECT_EQ(e->message, WaveMessage::InputData);
        EXPECT_EQ(e->device, card.inputDevice());
        const size_t samples = e->header->bytesRecorded / 2;
        EXPECT_EQ(e->header->bufferLength, 4096U);
        EXPECT_EQ(samples, block < 3 ? 2048U : 100U);
        ASSERT_TRUE(std::equal(e->header->data, e->header->data + samples,
                               source.begin() + static_cast<long>(position)));
        position += samples;
        EXPECT_TRUE(card.addInputBuffer(*e->header));
    }
    EXPECT_FALSE(events.pop(100ms));  // the recording has ended
    EXPECT_TRUE(backend.inputFinished());

    // Closing returns the four queued blocks empty, from the reset.
    card.CloseWaveIn();
    EXPECT_FALSE(card.inputOpen());
    for (int i = 0; i < 4; ++i) {
        const auto e = events.pop(1s);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->header->bytesRecorded, 0U);
        EXPECT_FALSE(card.addInputBuffer(*e->header));  // not requeued after close
    }
    EXPECT_EQ(events.size(), 0U);
}

TEST(SoundCard, ExactMultipleEndsWithAnEmptyBlock)
{
    WaveFileBackend backend(ramp(2048), fast());
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
    card.OpenWaveIn();
    auto first = events.pop();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->header->bytesRecorded, 4096U);
    auto last = events.pop();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->header->bytesRecorded, 0U);
}

TEST(SoundCard, OpenAndCloseTwiceIsHarmless)
{
    WaveFileBackend backend(ramp(100000), fast());
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });

    card.CloseWaveIn();  // never opened
    card.CloseWaveOut();
    card.OpenWaveIn();
    const WaveDevice first = card.inputDevice();
    card.OpenWaveIn();  // already open: nothing happens
    EXPECT_EQ(card.inputDevice(), first);
    card.CloseWaveIn();
    card.CloseWaveIn();
    EXPECT_FALSE(card.inputOpen());

    card.OpenWaveIn();  // the device is free again
    ASSERT_TRUE(card.inputOpen());
    EXPECT_NE(card.inputDevice(), first);  // old notifications cannot match the new handle
    card.OpenWaveOut();
    card.OpenWaveOut();
    EXPECT_TRUE(card.outputOpen());
    card.CloseWaveOut();
    card.CloseWaveOut();
    EXPECT_FALSE(card.outputOpen());
    const WaveDevice last = card.inputDevice();
    card.CloseWaveIn();

    // A window rebuilt with a new backend must not mistake the old card's late
    // notifications for its own: handles are never reused, across backends too.
    WaveFileBackend rebuilt(ramp(100000), fast());
    SoundCard next(rebuilt, [&](const WaveEvent& e) { events.push(e); });
    next.OpenWaveIn();
    ASSERT_TRUE(next.inputOpen());
    EXPECT_NE(next.inputDevice(), first);
    EXPECT_NE(next.inputDevice(), last);
    next.CloseWaveIn();
}

TEST(SoundCard, OutputBlocksReachTheFileInOrder)
{
    test::TempDir dir;
    WaveFileOptions options = fast();
    options.outputPath = dir.file("tx.wav");
    WaveFileBackend backend(options);
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
    EXPECT_FALSE(backend.capabilities(WaveSide::Input));  // no input file: no input device
    card.OpenWaveIn();
    EXPECT_FALSE(card.inputOpen());

    card.OpenWaveOut();
    ASSERT_TRUE(card.outputOpen());
    int16_t next = 0;
    auto fill = [&](WaveHeader& h) {
        for (uint32_t i = 0; i < h.bufferLength / 2; ++i) h.data[i] = next++;
    };
    for (WaveHeader& h : card.outputHeaders()) {
        EXPECT_EQ(h.bufferLength, 8192U);
        fill(h);
        ASSERT_TRUE(card.writeOutput(h));
    }
    // Refill two returned blocks, as the transmit path does.
    for (int i = 0; i < 6; ++i) {
        const auto e = events.pop();
        ASSERT_TRUE(e);
        EXPECT_EQ(e->message, WaveMessage::OutputDone);
        EXPECT_EQ(e->header, &card.outputHeaders()[static_cast<size_t>(i % 4)]);
        if (i < 2) {
            fill(*e->header);
            ASSERT_TRUE(card.writeOutput(*e->header));
        }
    }
    card.CloseWaveOut();
    EXPECT_EQ(backend.samplesPlayed(), 6U * 4096U);

    const AudioReadResult r = readAudioFile(options.outputPath);
    ASSERT_TRUE(r.ok()) << r.message;
    ASSERT_EQ(r.samples.size(), 6U * 4096U);
    std::vector<int16_t> expected(6 * 4096);
    std::iota(expected.begin(), expected.end(), int16_t{0});
    EXPECT_EQ(r.samples, expected);
}

TEST(SoundCard, PacedLoopingInputRunsAtRealTime)
{
    WaveFileBackend backend(ramp(1000), {.loopInput = true});
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
    const auto start = std::chrono::steady_clock::now();
    card.OpenWaveIn();
    for (int block = 0; block < 3; ++block) {
        const auto e = events.pop();
        ASSERT_TRUE(e);
        ASSERT_EQ(e->header->bytesRecorded, 4096U);
        for (int i = 0; i < 2048; ++i) ASSERT_EQ(e->header->data[i], (block * 2048 + i) % 1000);
        card.addInputBuffer(*e->header);
    }
    // Three blocks are 557 ms of audio; they cannot have come sooner.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 540ms);
    card.CloseWaveIn();
}

TEST(SoundCard, MissingDeviceFailsSilently)
{
    NullWaveBackend backend;
    test::expectCardStaysClosed(backend);

    WaveFileBackend missingFile(WaveFileOptions{"/nonexistent/demo.wav"});
    EXPECT_NE(missingFile.inputError().find("demo.wav"), std::string::npos);
    SoundCard other(missingFile, [](const WaveEvent&) {});
    other.OpenWaveIn();
    EXPECT_FALSE(other.inputOpen());
}

// A device that opens but then refuses to start (as a busy or unplugged card may);
// the output side is the null backend's.
class RefusesToStart final : public NullWaveBackend {
public:
    explicit RefusesToStart(WaveBackend& inner) : m_inner(inner) {}
    bool refuse = true;
    int deviceCount(WaveSide s) override { return m_inner.deviceCount(s); }
    bool capabilities(WaveSide s) override { return m_inner.capabilities(s); }
    std::optional<WaveDevice> open(WaveSide s, Notify n) override { return m_inner.open(s, std::move(n)); }
    bool prepare(WaveSide s, WaveDevice d, WaveHeader& h) override { return m_inner.prepare(s, d, h); }
    bool queue(WaveSide s, WaveDevice d, WaveHeader& h) override { return m_inner.queue(s, d, h); }
    bool startInput(WaveDevice d) override { return !refuse && m_inner.startInput(d); }
    bool stop(WaveSide s, WaveDevice d) override { return m_inner.stop(s, d); }
    bool reset(WaveSide s, WaveDevice d) override { return m_inner.reset(s, d); }
    bool unprepare(WaveSide s, WaveDevice d, WaveHeader& h) override { return m_inner.unprepare(s, d, h); }
    bool close(WaveSide s, WaveDevice d) override { return m_inner.close(s, d); }

private:
    WaveBackend& m_inner;
};

TEST(SoundCard, FailedStartReleasesTheDeviceForTheNextAttempt)
{
    WaveFileBackend inner(ramp(10000), fast());
    RefusesToStart backend(inner);
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
    card.OpenWaveIn();
    EXPECT_FALSE(card.inputOpen());
    backend.refuse = false;
    card.OpenWaveIn();  // would be refused as busy if the first attempt had kept the device
    ASSERT_TRUE(card.inputOpen());
    // The four blocks the failed open had queued came back from its reset, for the old
    // device (their headers already circulate again for the new one, so only the device
    // may be looked at); the new open's first block is full.
    for (int i = 0; i < 4; ++i) {
        const auto e = events.pop();
        ASSERT_TRUE(e);
        EXPECT_NE(e->device, card.inputDevice());
    }
    const auto e = events.pop();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->device, card.inputDevice());
    EXPECT_EQ(e->header->bytesRecorded, 4096U);
    card.CloseWaveIn();
}

}  // namespace
}  // namespace vexa::engine
