// Starts and stops the tests' private sound server (see the header).
#include "support/private_sound_server.h"

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/child_process.h"
#include "support/slurp.h"

namespace vexa::test {

using namespace std::chrono_literals;

namespace {

bool allInstalled(std::initializer_list<const char*> programs)
{
    return std::ranges::all_of(programs, [](const char* p) { return findProgram(p).has_value(); });
}

// The private WirePlumber manages only the nodes the tests make: no sound card, camera or
// Bluetooth monitor that would open the user's devices, and no portal, which needs D-Bus.
// WirePlumber 0.4 reads the Lua files, 0.5 the profile fragment.
void writeWirePlumberConfig(const std::filesystem::path& configHome)
{
    const auto dir = configHome / "wireplumber";
    std::filesystem::create_directories(dir / "main.lua.d");
    std::filesystem::create_directories(dir / "bluetooth.lua.d");
    std::filesystem::create_directories(dir / "wireplumber.conf.d");
    std::ofstream(dir / "main.lua.d" / "51-vexa-test.lua")
        << "alsa_monitor.enabled = false\n"
           "v4l2_monitor.enabled = false\n"
           "libcamera_monitor.enabled = false\n"
           "default_access.properties[\"enable-flatpak-portal\"] = false\n";
    std::ofstream(dir / "bluetooth.lua.d" / "51-vexa-test.lua") << "bluez_monitor.enabled = false\n";
    std::ofstream(dir / "wireplumber.conf.d" / "51-vexa-test.conf")
        << "wireplumber.profiles = {\n  main = {\n"
           "    monitor.alsa = disabled\n    monitor.alsa-midi = disabled\n"
           "    monitor.bluez = disabled\n    monitor.bluez-midi = disabled\n"
           "    monitor.v4l2 = disabled\n    monitor.libcamera = disabled\n"
           "    support.portal-permissionstore = disabled\n  }\n}\n";
}

}  // namespace

bool PrivateSoundServer::installed(Kind kind)
{
    return kind == Kind::PulseAudio ? allInstalled({"pulseaudio"})
                                    : allInstalled({"pipewire", "wireplumber", "pipewire-pulse", "pactl"});
}

std::optional<PrivateSoundServer::Kind> PrivateSoundServer::availableKind()
{
    const char* v = std::getenv("VEXA_TEST_SOUND_SERVER");
    const std::string wanted = v ? v : "";
    if (wanted != "pipewire" && installed(Kind::PulseAudio)) return Kind::PulseAudio;
    if (wanted != "pulseaudio" && installed(Kind::PipeWire)) return Kind::PipeWire;
    return std::nullopt;
}

std::string PrivateSoundServer::unavailableReason()
{
    return "a private sound server needs pulseaudio, or pipewire with wireplumber, pipewire-pulse and "
           "pactl (VEXA_TEST_SOUND_SERVER may ask for one of them)";
}

PrivateSoundServer::PrivateSoundServer(std::optional<Kind> kind)
    : m_socket(m_dir.path() / "pulse" / "native"), m_kind(kind)
{
    std::filesystem::create_directories(m_socket.parent_path());
    std::ofstream(m_dir.path() / ".asoundrc") << "pcm.!default { type pulse }\nctl.!default { type pulse }\n";
    std::ofstream(m_dir.path() / "client.conf") << "autospawn = no\n";
}

PrivateSoundServer::~PrivateSoundServer()
{
    stop();
}

std::map<std::string, std::string> PrivateSoundServer::env() const
{
    const std::string dir = m_dir.path().string();
    return {
        {"HOME", dir},
        {"XDG_RUNTIME_DIR", dir},
        {"PULSE_RUNTIME_PATH", m_socket.parent_path().string()},
        {"PULSE_STATE_PATH", dir},
        {"PULSE_CLIENTCONFIG", dir + "/client.conf"},
        {"PULSE_SERVER", "unix:" + m_socket.string()},
    };
}

std::map<std::string, std::string> PrivateSoundServer::serverEnv() const
{
    const std::string dir = m_dir.path().string();
    auto e = env();
    e.insert({
        {"PIPEWIRE_RUNTIME_DIR", dir},
        {"PIPEWIRE_REMOTE", "pipewire-0"},
        {"XDG_CONFIG_HOME", dir + "/config"},
        {"XDG_STATE_HOME", dir + "/state"},
        {"XDG_DATA_HOME", dir + "/data"},
        // Nothing of the user's session: no bus to claim names on, no X display to ring.
        {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir + "/no-session-bus"},
        {"DISPLAY", ""},
        {"WAYLAND_DISPLAY", ""},
        {"PIPEWIRE_CONFIG_DIR", ""},
        {"WIREPLUMBER_CONFIG_DIR", ""},
    });
    return e;
}

void PrivateSoundServer::applyEnv() const
{
    for (const auto& [name, value] : env()) ::setenv(name.c_str(), value.c_str(), 1);
}

std::string PrivateSoundServer::log() const
{
    return slurp(m_dir.path() / "server.log");
}

bool PrivateSoundServer::start(const std::vector<std::string>& sinkNames)
{
    stop();
    if (!m_kind || !installed(*m_kind) || sinkNames.empty()) return false;
    m_sinks = sinkNames;
    const bool ok = *m_kind == Kind::PulseAudio ? startPulseAudio(sinkNames) : startPipeWire(sinkNames);
    if (!ok) stop();
    return ok;
}

void PrivateSoundServer::stop(int signal)
{
    for (auto it = m_pids.rbegin(); it != m_pids.rend(); ++it) stopProcess(*it, signal);
    m_pids.clear();
}

void PrivateSoundServer::exposeSinksAsAlsaDevices() const
{
    // One device for both directions: the sink to play into, its monitor to record from.
    std::ofstream out(m_dir.path() / ".asoundrc", std::ios::app);
    for (const std::string& sink : m_sinks)
        out << "pcm." << sink << " {\n  type asym\n  playback.pcm { type pulse device " << sink
            << " }\n  capture.pcm { type pulse device " << sourceOf(sink) << " }\n}\n";
}

pid_t PrivateSoundServer::launch(const std::string& program, std::vector<std::string> args)
{
    const auto path = findProgram(program);
    if (!path) return -1;
    args.insert(args.begin(), *path);
    const pid_t pid =
        spawnProcess(args, {.stderrFile = (m_dir.path() / "server.log").string(), .env = serverEnv()});
    if (pid > 0) m_pids.push_back(pid);
    return pid;
}

std::optional<std::string> PrivateSoundServer::pactl(const std::vector<std::string>& args) const
{
    const auto path = findProgram("pactl");
    if (!path) return std::nullopt;
    std::vector<std::string> argv{*path};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto out = m_dir.path() / "pactl.out";
    const int status = runProcess(
        argv,
        {.stdoutFile = out.string(), .stderrFile = (m_dir.path() / "server.log").string(), .env = env()});
    if (status != 0) return std::nullopt;
    return slurp(out);
}

bool PrivateSoundServer::waitForSocket(const std::filesystem::path& socket, pid_t server)
{
    for (int i = 0; i < 200 && server > 0; ++i) {
        if (std::filesystem::exists(socket)) return true;
        if (::waitpid(server, nullptr, WNOHANG) == server) {
            std::erase(m_pids, server);
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

bool PrivateSoundServer::startPulseAudio(const std::vector<std::string>& sinkNames)
{
    const std::filesystem::path script = m_dir.path() / "server.pa";
    {
        std::ofstream out(script);
        for (const std::string& sink : sinkNames)
            out << "load-module module-null-sink sink_name=" << sink << "\n";
        out << "load-module module-native-protocol-unix auth-anonymous=1 socket=" << m_socket.string() << "\n"
            << "set-default-sink " << sinkNames.front() << "\n"
            << "set-default-source " << sourceOf(sinkNames.front()) << "\n";
    }
    const pid_t daemon =
        launch("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                              "--log-target=stderr", "-F", script.string()});
    if (!waitForSocket(m_socket, daemon)) return false;
    // The socket appears before the daemon has run the rest of its script.
    std::this_thread::sleep_for(200ms);
    return true;
}

bool PrivateSoundServer::startPipeWire(const std::vector<std::string>& sinkNames)
{
    writeWirePlumberConfig(m_dir.path() / "config");
    if (!waitForSocket(m_dir.path() / "pipewire-0", launch("pipewire", {}))) return false;
    launch("wireplumber", {});
    if (!waitForSocket(m_socket, launch("pipewire-pulse", {}))) return false;
    for (const std::string& sink : sinkNames)
        if (!pactl(
                {"load-module", "module-null-sink", "sink_name=" + sink, "channels=1", "channel_map=mono"}))
            return false;
    // The defaults live in WirePlumber's metadata: once they read back, the session manager
    // is up and the sinks have their ports.
    const std::string wanted = "Default Sink: " + sinkNames.front() + "\n";
    for (int i = 0; i < 100; ++i) {
        pactl({"set-default-sink", sinkNames.front()});
        pactl({"set-default-source", sourceOf(sinkNames.front())});
        const auto info = pactl({"info"});
        if (info && info->find(wanted) != std::string::npos) return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

}  // namespace vexa::test
