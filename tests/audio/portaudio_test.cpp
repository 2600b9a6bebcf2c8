// The real-device backend against a real sound server: a private PulseAudio daemon with a
// null sink, started here, reached through ALSA's pulse plugin exactly as a desktop's
// default device is. Audio played into the sink must arrive in the input blocks, and
// output blocks must come out of the sink's monitor — at 11025 Hz and, resampled, with the
// device forced to 48000 Hz. With no server at all, opening fails silently.
#include "engine/audio/portaudio_backend.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <numbers>
#include <thread>

#include "support/temp_dir.h"
#include "support/wave_event_queue.h"

extern char** environ;

namespace vexa::engine {
namespace {

using namespace std::chrono_literals;

std::optional<std::string> findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir =
            dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string candidate = dir + "/" + name;
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return std::nullopt;
}

// Starts a program; stdin/stdout may be redirected to files. Returns the pid or -1.
pid_t spawn(const std::vector<std::string>& args, const std::string& stdinFile = {},
            const std::string& stdoutFile = {})
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stdinFile.empty()) posix_spawn_file_actions_addopen(&actions, 0, stdinFile.c_str(), O_RDONLY, 0);
    if (!stdoutFile.empty())
        posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t pid, int sig = SIGTERM)
{
    if (pid <= 0) return;
    kill(pid, sig);
    int status = 0;
    waitpid(pid, &status, 0);
}

double toneLevel(const int16_t* s, size_t n, double hz)
{
    const double w = 2.0 * std::numbers::pi * hz / 11025.0;
    double re = 0.0;
    double im = 0.0;
    for (size_t i = 0; i < n; ++i) {
        re += s[i] * std::cos(w * static_cast<double>(i));
        im += s[i] * std::sin(w * static_cast<double>(i));
    }
    return 2.0 * std::hypot(re, im) / static_cast<double>(n);
}

void writeTone(int16_t* s, size_t n, double hz, double amplitude, size_t& phaseIndex)
{
    for (size_t i = 0; i < n; ++i, ++phaseIndex)
        s[i] = static_cast<int16_t>(
            amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(phaseIndex) / 11025.0));
}

// setup.sh installs pulseaudio only where the machine has no sound server at all, so that
// a PipeWire desktop keeps pipewire-pulse as its only PulseAudio server.
constexpr const char* kNoPrivateServer =
    "pulseaudio and pacat/parec are needed to start a private sound server (on a PipeWire "
    "machine setup.sh leaves pulseaudio out, and this test does not start PipeWire)";

// A private home with an ALSA configuration whose default device is PulseAudio, and the
// PulseAudio client pointed at a socket in it. The environment is changed for the whole
// test process (each test runs in a process of its own under CTest).
class SoundServerTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        std::ofstream(m_dir.path() / ".asoundrc")
            << "pcm.!default { type pulse }\nctl.!default { type pulse }\n";
        std::ofstream(m_dir.path() / "client.conf") << "autospawn = no\n";
        setenv("HOME", m_dir.path().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", m_dir.path().c_str(), 1);
        setenv("PULSE_RUNTIME_PATH", m_dir.path().c_str(), 1);
        setenv("PULSE_STATE_PATH", m_dir.path().c_str(), 1);
        setenv("PULSE_CLIENTCONFIG", (m_dir.path() / "client.conf").c_str(), 1);
        setenv("PULSE_SERVER", ("unix:" + m_socket.string()).c_str(), 1);
    }

    void TearDown() override { stop(m_server); }

    // Starts the daemon with a null sink as default sink and its monitor as default source.
    bool startServer()
    {
        const auto daemon = findProgram("pulseaudio");
        if (!daemon) return false;
        const std::filesystem::path script = m_dir.path() / "server.pa";
        std::ofstream(script) << "load-module module-null-sink sink_name=vexa_test\n"
                              << "load-module module-native-protocol-unix auth-anonymous=1 socket="
                              << m_socket.string() << "\n"
                              << "set-default-sink vexa_test\n"
                              << "set-default-source vexa_test.monitor\n";
        m_server =
            spawn({*daemon, "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                   "--log-target=file:" + (m_dir.path() / "server.log").string(), "-F", script.string()});
        for (int i = 0; i < 100 && m_server > 0; ++i) {
            if (std::filesystem::exists(m_socket)) {
                std::this_thread::sleep_for(200ms);
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    test::TempDir m_dir;
    std::filesystem::path m_socket = m_dir.path() / "native";
    pid_t m_server = -1;
};

TEST_P(SoundServerTest, AudioPlayedIntoTheSinkArrivesInTheInputBlocks)
{
    const auto pacat = findProgram("pacat");
    if (!findProgram("pulseaudio") || !pacat) GTEST_SKIP() << kNoPrivateServer;
    ASSERT_TRUE(startServer());

    PortAudioBackend backend(PortAudioOptions{"", GetParam()});
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
    card.OpenWaveIn();
    ASSERT_TRUE(card.inputOpen());
    EXPECT_EQ(backend.inputDeviceRate(), GetParam() == 0 ? 11025 : GetParam());

    std::vector<int16_t> tone(11025 * 4);
    size_t phase = 0;
    writeTone(tone.data(), tone.size(), 1500.0, 12000.0, phase);
    const std::string raw = (m_dir.path() / "tone.raw").string();
    std::ofstream(raw, std::ios::binary)
        .write(reinterpret_cast<const char*>(tone.data()), static_cast<std::streamsize>(tone.size() * 2));
    const pid_t player = spawn({*pacat, "--playback", "--raw", "--device=vexa_test", "--rate=11025",
                                "--channels=1", "--format=s16le"},
                               raw);
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
        best = std::max(best, toneLevel(e->header->data, 2048, 1500.0));
        card.addInputBuffer(*e->header);
    }
    stop(player);
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
    if (!findProgram("pulseaudio") || !parec) GTEST_SKIP() << kNoPrivateServer;
    ASSERT_TRUE(startServer());
    const std::string captured = (m_dir.path() / "monitor.raw").string();
    const pid_t recorder = spawn(
        {*parec, "--raw", "--device=vexa_test.monitor", "--rate=11025", "--channels=1", "--format=s16le"}, {},
        captured);
    ASSERT_GT(recorder, 0);
    std::this_thread::sleep_for(300ms);

    PortAudioBackend backend(PortAudioOptions{"", GetParam()});
    test::WaveEventQueue events;
    {
        SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
        card.OpenWaveOut();
        ASSERT_TRUE(card.outputOpen());
        EXPECT_EQ(backend.outputDeviceRate(), GetParam() == 0 ? 11025 : GetParam());
        size_t phase = 0;
        for (WaveHeader& h : card.outputHeaders()) {
            writeTone(h.data, 4096, 1000.0, 10000.0, phase);
            ASSERT_TRUE(card.writeOutput(h));
        }
        // 4 + 2 blocks: about 2.2 s of tone, every block returned once, in order.
        for (int i = 0; i < 6; ++i) {
            const auto e = events.pop(5s);
            ASSERT_TRUE(e) << "block " << i << " was not returned";
            EXPECT_EQ(e->message, WaveMessage::OutputDone);
            EXPECT_EQ(e->header, &card.outputHeaders()[static_cast<size_t>(i % 4)]);
            if (i < 2) {
                writeTone(e->header->data, 4096, 1000.0, 10000.0, phase);
                ASSERT_TRUE(card.writeOutput(*e->header));
            }
        }
        card.CloseWaveOut();
    }
    std::this_thread::sleep_for(500ms);
    stop(recorder, SIGINT);

    std::ifstream in(captured, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t n = bytes.size() / 2;
    ASSERT_GT(n, 2048U);
    const auto* s = reinterpret_cast<const int16_t*>(bytes.data());
    double best = 0.0;
    double other = 0.0;
    for (size_t at = 0; at + 2048 <= n; at += 1024) {
        const double level = toneLevel(s + at, 2048, 1000.0);
        if (level > best) {
            best = level;
            other = toneLevel(s + at, 2048, 1700.0);
        }
    }
    EXPECT_GT(best, 8000.0) << "1000 Hz at 10000 was played; best level at the monitor " << best;
    EXPECT_LT(other, best / 20.0);
}

TEST_P(SoundServerTest, AServerThatDiesWhilePlayingReturnsEveryBlock)
{
    if (!findProgram("pulseaudio")) GTEST_SKIP() << "pulseaudio is not installed";
    ASSERT_TRUE(startServer());
    PortAudioBackend backend(PortAudioOptions{"", GetParam()});
    test::WaveEventQueue events;
    SoundCard card(backend, [&](const WaveEvent& e) { events.push(e); });
    card.OpenWaveOut();
    ASSERT_TRUE(card.outputOpen());
    size_t phase = 0;
    int out = 0;
    for (WaveHeader& h : card.outputHeaders()) {
        writeTone(h.data, 4096, 1000.0, 10000.0, phase);
        ASSERT_TRUE(card.writeOutput(h));
        ++out;
    }
    ASSERT_TRUE(events.pop(5s));
    --out;
    stop(m_server, SIGKILL);
    m_server = -1;
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

INSTANTIATE_TEST_SUITE_P(DeviceRate, SoundServerTest, ::testing::Values(0, 48000),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return p.param == 0 ? std::string("Native11025")
                                                 : "Resampled" + std::to_string(p.param);
                         });

TEST(PortAudioBackend, NoSoundServerMeansSilentFailure)
{
    test::TempDir dir;
    std::ofstream(dir.path() / ".asoundrc") << "pcm.!default { type pulse }\nctl.!default { type pulse }\n";
    std::ofstream(dir.path() / "client.conf") << "autospawn = no\n";
    setenv("HOME", dir.path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (dir.path() / "client.conf").c_str(), 1);
    setenv("PULSE_SERVER", ("unix:" + (dir.path() / "nobody-here").string()).c_str(), 1);

    PortAudioBackend backend;
    int notifications = 0;
    SoundCard card(backend, [&](const WaveEvent&) { ++notifications; });
    card.OpenWaveIn();
    card.OpenWaveOut();
    EXPECT_FALSE(card.inputOpen());
    EXPECT_FALSE(card.outputOpen());
    card.CloseWaveIn();
    card.CloseWaveOut();
    card.OpenWaveIn();  // and again: still no crash, still closed
    EXPECT_FALSE(card.inputOpen());

    PortAudioBackend named(PortAudioOptions{"No Such Sound Card", 0});
    EXPECT_FALSE(named.capabilities(WaveSide::Input));
    SoundCard other(named, [&](const WaveEvent&) { ++notifications; });
    other.OpenWaveIn();
    EXPECT_FALSE(other.inputOpen());
    EXPECT_EQ(notifications, 0);
}

}  // namespace
}  // namespace vexa::engine
