// The subcommands of vexa-modem. Each takes the arguments after its name and returns the
// process exit status: 0 success, 1 failure (message on stderr), 2 bad usage.
#pragma once

#include <span>
#include <string_view>

namespace vexa::tool {

using Command = int (*)(std::span<char* const> args);

struct CommandEntry {
    std::string_view name;
    Command run;
    std::string_view usage;
};

int runRx(std::span<char* const> args);

}  // namespace vexa::tool
