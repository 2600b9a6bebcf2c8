// A sound server of the test's own, for tests of the real-device audio path: started in a
// private temporary directory (never the user's runtime directory or session), with named
// null sinks whose monitors are sources, and stopped and removed with the object.
//
//     test::PrivateSoundServer server;
//     if (!server.available()) GTEST_SKIP() << server.unavailableReason();
//     ASSERT_TRUE(server.start({"vexa_rx", "vexa_tx"}));
//     server.applyEnv();  // this process's PulseAudio/ALSA clients now reach it
//     ... play into "vexa_rx", record from server.sourceOf("vexa_tx") ...
//
// The first sink is the default sink and its monitor the default source, so ALSA's
// "default" device (through the pulse plugin, set up in the private HOME's .asoundrc) plays
// into it and records from it, as a desktop's default device does.
//
// Two differences a test may meet: PipeWire's null sinks are made mono (so a mono stream
// keeps its level, as with PulseAudio's), and PipeWire links a stream that names a missing
// device to the default one where PulseAudio refuses it (kind() tells which is running).
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vexa::test {

class PrivateSoundServer {
public:
    enum class Kind { PulseAudio, PipeWire };

    // The server this machine can start: pulseaudio where its binary is installed, else
    // PipeWire (pipewire, wireplumber, pipewire-pulse and pactl). VEXA_TEST_SOUND_SERVER set
    // to "pipewire" or "pulseaudio" asks for that one only. A private PipeWire watches no
    // sound card, camera or Bluetooth device and reaches no D-Bus session, so it can run
    // beside the user's own.
    static std::optional<Kind> availableKind();
    static bool available() { return availableKind().has_value(); }
    // Whether this kind can be started here, whatever VEXA_TEST_SOUND_SERVER says.
    static bool installed(Kind kind);
    // Why there is none, for a skipped test's message.
    static std::string unavailableReason();

    // A server of this kind (by default the one availableKind() names); not started yet.
    explicit PrivateSoundServer(std::optional<Kind> kind = availableKind());
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // Starts the server with these null sinks (at least one); true once all of them are
    // there and the PulseAudio socket accepts clients. False when the kind is not installed;
    // on other failures the server's messages are in log().
    bool start(const std::vector<std::string>& sinkNames);
    // Ends every process of the server (SIGKILL: as if it crashed); start() may follow.
    void stop(int signal = SIGTERM);
    bool running() const { return !m_pids.empty(); }
    std::optional<Kind> kind() const { return m_kind; }

    // What a client needs to reach this server and only this one: HOME (with an .asoundrc
    // whose default ALSA device is PulseAudio), XDG_RUNTIME_DIR, PULSE_SERVER, ... Valid
    // before start() too: clients then find no server, as on a machine without one.
    std::map<std::string, std::string> env() const;
    // Sets env() in this process, for in-process clients and the programs it starts.
    void applyEnv() const;

    // Names each sink as an ALSA device of its own in the private .asoundrc (playing into
    // the sink, recording from its monitor), the way an ALSA-only program such as PortAudio
    // reaches a sound server's sinks by name. After start().
    void exposeSinksAsAlsaDevices() const;

    // The monitor source that records what is played into the sink.
    static std::string sourceOf(const std::string& sink) { return sink + ".monitor"; }

    const std::filesystem::path& dir() const { return m_dir.path(); }
    // The servers' own messages, for a failure message.
    std::string log() const;

private:
    bool startPulseAudio(const std::vector<std::string>& sinkNames);
    bool startPipeWire(const std::vector<std::string>& sinkNames);
    std::map<std::string, std::string> serverEnv() const;
    bool waitForSocket(const std::filesystem::path& socket, pid_t server);
    pid_t launch(const std::string& program, std::vector<std::string> args);
    // pactl against this server; its standard output, or nothing when it failed.
    std::optional<std::string> pactl(const std::vector<std::string>& args) const;

    TempDir m_dir;
    std::filesystem::path m_socket;
    std::optional<Kind> m_kind;
    std::vector<pid_t> m_pids;  // in start order; stopped in reverse
    std::vector<std::string> m_sinks;
};

}  // namespace vexa::test
