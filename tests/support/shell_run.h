// Runs a shell command line, as the tests that drive vexa-modem or minimodem the way a
// user would need: what it writes on standard output, and its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vexa::test {

struct ShellRun {
    int status = -1;  // the exit status; -1 when it could not run or was killed
    std::string out;
};

inline ShellRun runShell(const std::string& commandLine)
{
    ShellRun r;
    std::FILE* p = ::popen(commandLine.c_str(), "r");
    if (p == nullptr) return r;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) r.out.append(buffer, n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace vexa::test
