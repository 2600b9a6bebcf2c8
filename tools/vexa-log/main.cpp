// vexa-log: the logbook and country data on the command line, for users and scripts.
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "lookup_command.h"

namespace {

struct CommandEntry {
    std::string_view name;
    int (*run)(int argc, char** argv);
    std::string_view usage;
};

constexpr std::array kCommands = {
    CommandEntry{"lookup", vexa::tools::runLookup,
                 "lookup [--cty FILE] [--own LAT LON] [CALL...]\n"
                 "      resolve each CALL (or each line of stdin) to its country; one tab-separated line\n"
                 "      per call: call, prefix, country, continent, CQ zone, ITU zone, latitude,\n"
                 "      longitude, DXCC prefix, short-path heading, distance in km"},
};

void usage(std::FILE* to)
{
    std::fputs("usage: vexa-log COMMAND ...\n", to);
    for (const auto& c : kCommands)
        std::fprintf(to, "  %.*s\n", static_cast<int>(c.usage.size()), c.usage.data());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const auto& c : kCommands)
        if (c.name == argv[1]) return c.run(argc, argv);
    std::fprintf(stderr, "vexa-log: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return 2;
}
