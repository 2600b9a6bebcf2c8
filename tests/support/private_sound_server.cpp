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

namespace vexa::test {

using namespace std::chrono_literals;

namespace {

std::string requestedKind()
{
    const char* v = std::getenv("VEXA_TEST_SOUND_SERVER");
    return v ? v : "";
}

}  // namespace

std::optional<PrivateSoundServer::Kind> PrivateSoundServer::availableKind()
{
    const std::string wanted = requestedKind();
    if (wanted != "pipewire" && findProgram("pulseaudio")) return Kind::PulseAudio;
    return std::nullopt;
}

std::string PrivateSoundServer::unavailableReason()
{
    return "pulseaudio is needed to start a private sound server";
}

PrivateSoundServer::PrivateSoundServer() : m_socket(m_dir.path() / "native")
{
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
        {"PULSE_RUNTIME_PATH", dir},
        {"PULSE_STATE_PATH", dir},
        {"PULSE_CLIENTCONFIG", dir + "/client.conf"},
        {"PULSE_SERVER", "unix:" + m_socket.string()},
    };
}

void PrivateSoundServer::applyEnv() const
{
    for (const auto& [name, value] : env()) ::setenv(name.c_str(), value.c_str(), 1);
}

std::string PrivateSoundServer::log() const
{
    std::ifstream in(m_dir.path() / "server.log");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool PrivateSoundServer::start(const std::vector<std::string>& sinkNames)
{
    stop();
    m_kind = availableKind();
    if (!m_kind || sinkNames.empty()) return false;
    m_sinks = sinkNames;
    const bool ok = startPulseAudio(sinkNames);
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
        spawnProcess(args, {.stderrFile = (m_dir.path() / "server.log").string(), .env = env()});
    if (pid > 0) m_pids.push_back(pid);
    return pid;
}

bool PrivateSoundServer::waitForSocket(const std::filesystem::path& socket, pid_t server)
{
    for (int i = 0; i < 200 && server > 0; ++i) {
        if (std::filesystem::exists(socket)) {
            // The socket appears before the daemon has loaded the rest of its script.
            std::this_thread::sleep_for(200ms);
            return true;
        }
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
    return waitForSocket(m_socket, daemon);
}

}  // namespace vexa::test
