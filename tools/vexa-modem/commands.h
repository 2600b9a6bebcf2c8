// The subcommands of vexa-modem. Each gets the whole command line (argv[1] is its own
// name) and returns the process exit status: 0 success, 1 failure (message on stderr),
// 2 bad usage.
#pragma once

#include <string_view>

#include "tx_command.h"

namespace vexa::tools {

int runRx(int argc, char** argv);

}  // namespace vexa::tools
