// The real-device backend against real sound servers: each private server the machine can
// run (PulseAudio, PipeWire) with a null sink, reached through ALSA's pulse plugin exactly as
// a desktop's default device is. Audio played into the sink must arrive in the input
// blocks, and output blocks must come out of the sink's monitor, at 11025 Hz and, resampled,
// with the device forced to 48000 Hz. With no server at all, opening fails silently.
#include "engine/audio/portaudio_backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <numbers>
#include <optional>
#include <thread>

#include "support/child_process.h"
#include "support/private_sound_server.h"
#include "support/silent_card.h"
#include "support/tone.h"
#include "support/wave_event_queue.h"

namespace vexa::engine {
namespace {

using namespace std::chrono_literals;
using test::findProgram;
using test::PrivateSoundServer;
using test::spawnProcess;
using test::stopProcess;
using test::toneLevel;
using test::writeTone;

// A private sound server with one null sink, the default device of a private HOME. The
// environment is changed for the whole test process (each test runs in a process of its
// own under CTest).
// Each kind of server the machine has, each at the device's own rate and resampled.
using ServerAndRate = std::tuple<PrivateSoundServer::Kind, int>;

class SoundServerTest : public ::testing::TestWithParam<ServerAndRate> {
protected:
    void SetUp() override
    {
        if (!PrivateSoundServer::installed(kind())) GTEST_SKIP() << PrivateSoundServer::unavailableReason();
        m_server.applyEnv();
        ASSERT_TRUE(m_server.start({"vexa_test"})) << m_server.log();
        m_backend.emplace(PortAudioOptions{.forcedDeviceRate = deviceRate()});
        m_card.emplace(*m_backend, [this](const WaveEvent& e) { m_events.push(e); });
    }

    static PrivateSoundServer::Kind kind() { return std::get<0>(GetParam()); }
    // 0: the device opened at 11025 Hz; otherwise forced to this rate and resampled.
    static int deviceRate() { return std::get<1>(GetParam()); }
    static int expectedRate() { return deviceRate() == 0 ? 11025 : deviceRate(); }

    // The server, then the real-device backend on its default device and a card over it
    // whose notifications queue up for the test.
    PrivateSoundServer m_server{kind()};
    test::WaveEventQueue m_events;
    std::optional<PortAudioBackend> m_backend;
    std::optional<SoundCard> m_card;
};

TEST_P(SoundServerTest, AudioPlayedIntoTheSinkArrivesInTheInputBlocks)
{
    const auto pacat = findProgram("pacat");
    if (!pacat) GTEST_SKIP() << "pacat is not installed";

    SoundCard& card = *m_card;
    auto& events = m_events;
    card.OpenWaveIn();
    ASSERT_TRUE(card.inputOpen());
    EXPECT_EQ(m_backend->inputDeviceRate(), expectedRate());

    std::vector<int16_t> tone(11025 * 4);
    size_t phase = 0;
    writeTone(tone, 1500.0, 12000.0, phase);
    const std::string raw = (m_server.dir() / "tone.raw").string();
    std::ofstream(raw, std::ios::binary)
        .write(reinterpret_cast<const char*>(tone.data()), static_cast<std::streamsize>(tone.size() * 2));
    const pid_t player = spawnProcess({*pacat, "--playback", "--raw", "--device=vexa_test", "--rate=11025",
                                       "--channels=1", "--format=s16le"},
                                      {.stdinFile = raw});
    ASSERT_GT(player, 0);

    double best = 0.0;
    int blocks = 0;
    const auto until = std::chrono::steady_clock::now() + 6s;
    while (std::chrono::steady_clock::now() < until && (best < 9000.0 || blocks < 4)) {
        const auto e = events.pop(1s);
        if (!e) continue;
        ++blocks;
        EXPECT_EQ(e->message, WaveMessage::InputData);
        EXPECT_EQ(e->device, card.inputDevice());
        EXPECT_EQ(e->header->bytesRecorded, 4096U);
        best = std::max(best, toneLevel({e->header->data, 2048}, 1500.0));
        card.addInputBuffer(*e->header);
    }
    stopProcess(player);
    card.CloseWaveIn();
    EXPECT_GT(blocks, 1);
    EXPECT_GT(best, 9000.0) << "1500 Hz at 12000 was played; best level seen " << best;

    // As after a transmission: the device opens again and blocks flow again.
    while (events.pop(200ms)) {
    }
    card.CloseWaveIn();
    card.OpenWaveIn();
    ASSERT_TRUE(card.inputOpen());
    const auto again = events.pop(3s);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->device, card.inputDevice());
    EXPECT_EQ(again->header->bytesRecorded, 4096U);
    card.CloseWaveIn();
}

TEST_P(SoundServerTest, OutputBlocksReachTheSinkMonitor)
{
    const auto parec = findProgram("parec");
    if (!parec) GTEST_SKIP() << "parec is not installed";
    const std::string captured = (m_server.dir() / "monitor.raw").string();
    const pid_t recorder =
        spawnProcess({*parec, "--raw", "--device=" + PrivateSoundServer::sourceOf("vexa_test"),
                      "--rate=11025", "--channels=1", "--format=s16le"},
                     {.stdoutFile = captured});
    ASSERT_GT(recorder, 0);
    std::this_thread::sleep_for(300ms);

    {
        SoundCard& card = *m_card;
        auto& events = m_events;
        card.OpenWaveOut();
        ASSERT_TRUE(card.outputOpen());
        EXPECT_EQ(m_backend->outputDeviceRate(), expectedRate());
        size_t phase = 0;
        for (WaveHeader& h : card.outputHeaders()) {
            writeTone({h.data, 4096}, 1000.0, 10000.0, phase);
            ASSERT_TRUE(card.writeOutput(h));
        }
        // 4 + 2 blocks: about 2.2 s of tone, every block returned once, in order.
        for (int i = 0; i < 6; ++i) {
            const auto e = events.pop(5s);
            ASSERT_TRUE(e) << "block " << i << " was not returned";
            EXPECT_EQ(e->message, WaveMessage::OutputDone);
            EXPECT_EQ(e->header, &card.outputHeaders()[static_cast<size_t>(i % 4)]);
            if (i < 2) {
                writeTone({e->header->data, 4096}, 1000.0, 10000.0, phase);
                ASSERT_TRUE(card.writeOutput(*e->header));
            }
        }
        card.CloseWaveOut();
    }
    std::this_thread::sleep_for(500ms);
    stopProcess(recorder, SIGINT);

    std::ifstream in(captured, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t n = bytes.size() / 2;
    ASSERT_GT(n, 2048U);
    const auto* s = reinterpret_cast<const int16_t*>(bytes.data());
    double best = 0.0;
    double other = 0.0;
    for (size_t at = 0; at + 2048 <= n; at += 1024) {
        const double level = toneLevel({s + at, 2048}, 1000.0);
        if (level > best) {
            best = level;
            other = toneLevel({s + at, 2048}, 1700.0);
        }
    }
    EXPECT_GT(best, 8000.0) << "1000 Hz at 10000 was played; best level at the monitor " << best;
    EXPECT_LT(other, best / 20.0);
}

TEST_P(SoundServerTest, AServerThatDiesWhilePlayingReturnsEveryBlock)
{
    SoundCard& card = *m_card;
    auto& events = m_events;
    card.OpenWaveOut();
    ASSERT_TRUE(card.outputOpen());
    size_t phase = 0;
    int out = 0;
    for (WaveHeader& h : card.outputHeaders()) {
        writeTone({h.data, 4096}, 1000.0, 10000.0, phase);
        ASSERT_TRUE(card.writeOutput(h));
        ++out;
    }
    ASSERT_TRUE(events.pop(5s));
    --out;
    m_server.stop(SIGKILL);
    // Blocks keep being refilled as they come back, as a transmission does; once the
    // device has failed they are refused, and none may stay out.
    bool refused = false;
    const auto until = std::chrono::steady_clock::now() + 20s;
    while (out > 0 && std::chrono::steady_clock::now() < until) {
        const auto e = events.pop(1s);
        if (!e) continue;
        --out;
        if (card.writeOutput(*e->header))
            ++out;
        else
            refused = true;
    }
    EXPECT_EQ(out, 0) << "blocks still held by a dead device";
    EXPECT_TRUE(refused);
    card.CloseWaveOut();
    EXPECT_FALSE(card.outputOpen());
}

std::string serverAndRateName(const ::testing::TestParamInfo<ServerAndRate>& info)
{
    const auto& [kind, rate] = info.param;
    return std::string(kind == PrivateSoundServer::Kind::PulseAudio ? "PulseAudio" : "PipeWire") +
           (rate == 0 ? std::string("Native11025") : "Resampled" + std::to_string(rate));
}

INSTANTIATE_TEST_SUITE_P(ServerAndRate, SoundServerTest,
                         ::testing::Combine(::testing::Values(PrivateSoundServer::Kind::PulseAudio,
                                                              PrivateSoundServer::Kind::PipeWire),
                                            ::testing::Values(0, 48000)),
                         serverAndRateName);

TEST(PortAudioBackend, NoSoundServerMeansSilentFailure)
{
    const PrivateSoundServer notStarted;
    notStarted.applyEnv();

    PortAudioBackend backend;
    test::expectCardStaysClosed(backend);

    PortAudioBackend named(PortAudioOptions{.inputDevice = "No Such Sound Card"});
    EXPECT_FALSE(named.capabilities(WaveSide::Input));
    test::expectCardStaysClosed(named);
}

}  // namespace
}  // namespace vexa::engine
