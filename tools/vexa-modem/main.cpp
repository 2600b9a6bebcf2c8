// vexa-modem: the signal engine on the command line — decode audio to text (rx) and encode
// text to audio (tx).
#include <array>
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

using vexa::tools::CommandEntry;

constexpr std::array kCommands = {
    CommandEntry{"rx", vexa::tools::runRx,
                 "rx --mode psk31|qpsk|rtty|rtty100|fsk31 [--freq HZ] [--reverse] [--afc] [--keep-shift]\n"
                 "   [--rtty-decoder matched|discriminator] FILE|-\n"
                 "      decode FILE (any audio file) or raw 16-bit mono 11025 Hz on stdin ('-';\n"
                 "      a WAV on stdin is recognised) and write the text to stdout as it decodes;\n"
                 "      RTTY through the matched-filter receiver (default, copies signals 5 to 6 dB\n"
                 "      weaker) or the discriminator receiver"},
    CommandEntry{
        "tx", vexa::tools::runTx,
        "tx --mode psk31|qpsk|fsk31|rtty|rtty100 [--freq HZ] [--cwid CALL] [--reverse] TEXT OUT.wav\n"
        "      render a transmission of TEXT ('-': stdin) into OUT.wav ('-': stdout)"},
};

void usage(std::FILE* to)
{
    std::fputs("usage: vexa-modem COMMAND ...\n", to);
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
    std::fprintf(stderr, "vexa-modem: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return 2;
}
