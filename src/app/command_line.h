// Vexa's command-line options: where the data lives, demo input, help and version.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vexa::app {

struct CommandLine {
    std::optional<std::string> dataDir;  // --data-dir DIR (or --data-dir=DIR)
    bool demo = false;                   // --demo: the bundled recording as the input
    bool help = false;                   // --help, -h
    bool version = false;                // --version
};

struct CommandLineResult {
    CommandLine options;
    std::string error;  // for the user, one line; empty when the arguments are good
    bool ok() const noexcept { return error.empty(); }
};

// args: the arguments after the program name.
CommandLineResult parseCommandLine(std::span<const std::string_view> args);

// The --help text.
std::string usageText();

}  // namespace vexa::app
