// Starting and stopping helper programs from a test (a sound server, pacat, parec):
// looked up on PATH, started without a shell, standard input/output optionally files.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace vexa::test {

// The full path of an executable on PATH, if there is one.
inline std::optional<std::string> findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    const std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir =
            dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string candidate = dir + "/" + name;
        if (!dir.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return std::nullopt;
}

struct SpawnOptions {
    std::string stdinFile;   // empty: inherited
    std::string stdoutFile;  // empty: inherited; created or truncated otherwise
    std::string stderrFile;  // empty: inherited
    // Variables set (or replaced) in the child's copy of this process's environment; an
    // empty value removes the variable.
    std::map<std::string, std::string> env;
};

// Starts args[0] (a full path) with args; the pid, or -1 when it could not be started.
inline pid_t spawnProcess(const std::vector<std::string>& args, const SpawnOptions& options = {})
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!options.stdinFile.empty())
        posix_spawn_file_actions_addopen(&actions, 0, options.stdinFile.c_str(), O_RDONLY, 0);
    if (!options.stdoutFile.empty())
        posix_spawn_file_actions_addopen(&actions, 1, options.stdoutFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!options.stderrFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, options.stderrFile.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0600);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (!options.env.contains(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
    }
    for (const auto& [name, value] : options.env)
        if (!value.empty()) envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (args.empty() || posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs a program to its end; its exit status, or -1 when it could not run or was killed.
inline int runProcess(const std::vector<std::string>& args, const SpawnOptions& options = {})
{
    const pid_t pid = spawnProcess(args, options);
    int status = 0;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sends the signal and waits for the process to end; one that has not ended after five
// seconds is killed, so a hung helper cannot hang the test.
inline void stopProcess(pid_t pid, int sig = SIGTERM)
{
    if (pid <= 0) return;
    ::kill(pid, sig);
    for (int i = 0; i < 500; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) != 0) return;
        ::usleep(10000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

}  // namespace vexa::test
