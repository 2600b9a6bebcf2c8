// vexa-modem: the signal engine on the command line — decode audio to text (rx) and, as the
// transmit side lands, encode text to audio.
#include <array>
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "tx_command.h"

namespace {

using vexa::tool::CommandEntry;

constexpr std::array kCommands = {
    CommandEntry{"rx", vexa::tool::runRx,
                 "rx --mode MODE [--freq HZ] [--reverse] [--afc] FILE|-\n"
                 "      decode FILE (any audio file) or raw 16-bit mono 11025 Hz on stdin ('-';\n"
                 "      a WAV on stdin is recognised) and write the text to stdout as it decodes"},
};

void usage(std::FILE* to)
{
    std::fputs("usage: vexa-modem COMMAND ...\n  tx ...  encode text to audio (vexa-modem tx --help)\n", to);
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
        if (c.name == argv[1]) return c.run({argv + 2, static_cast<std::size_t>(argc - 2)});
    if (std::strcmp(argv[1], "tx") == 0) return vexa::tools::runTx(argc, argv);
    std::fprintf(stderr, "vexa-modem: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return 2;
}
