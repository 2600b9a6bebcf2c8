// The subcommands of vexa-modem. Each gets the whole command line (argv[1] is its own
// name) and returns the process exit status: 0 success, 1 failure (message on stderr),
// 2 bad usage.
#pragma once

#include <string_view>

#include "tx_command.h"

namespace vexa::tools {

using Command = int (*)(int argc, char** argv);

struct CommandEntry {
    std::string_view name;
    Command run;
    std::string_view usage;
};

int runRx(int argc, char** argv);

}  // namespace vexa::tools
