// The front of a command-line tool with subcommands (vexa-modem rx ..., vexa-log check ...):
// the table of commands, the usage listing and the dispatch with the usual exit statuses
// (2 for bad usage).
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace vexa::tools {

struct CommandEntry {
    std::string_view name;
    int (*run)(int argc, char** argv);  // sees the whole command line
    std::string_view usage;
};

// program: "vexa-modem"; preamble: lines after the "usage:" line, may be empty.
inline void printUsage(std::FILE* to, std::string_view program, std::string_view preamble,
                       std::span<const CommandEntry> commands)
{
    std::fprintf(to, "usage: %.*s COMMAND ...\n%.*s", static_cast<int>(program.size()), program.data(),
                 static_cast<int>(preamble.size()), preamble.data());
    for (const auto& c : commands)
        std::fprintf(to, "  %.*s\n", static_cast<int>(c.usage.size()), c.usage.data());
}

inline int runSubcommand(int argc, char** argv, std::string_view program, std::string_view preamble,
                         std::span<const CommandEntry> commands)
{
    const std::string_view first = argc < 2 ? std::string_view() : argv[1];
    if (argc < 2 || first == "--help" || first == "-h") {
        printUsage(argc < 2 ? stderr : stdout, program, preamble, commands);
        return argc < 2 ? 2 : 0;
    }
    for (const auto& c : commands)
        if (c.name == first) return c.run(argc, argv);
    std::fprintf(stderr, "%.*s: unknown command '%s'\n", static_cast<int>(program.size()), program.data(),
                 argv[1]);
    printUsage(stderr, program, preamble, commands);
    return 2;
}

}  // namespace vexa::tools
