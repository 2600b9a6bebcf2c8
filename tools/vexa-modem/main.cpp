// vexa-modem: the signal engine on the command line — decode audio to text (rx) and encode
// text to audio (tx).
#include <array>

#include "cli/subcommands.h"
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
        "tx --mode psk31|qpsk|fsk31|rtty|rtty100 [--freq HZ] [--cwid CALL] [--reverse] [--level DB]\n"
        "   TEXT OUT.wav\n"
        "      render a transmission of TEXT ('-': stdin) into OUT.wav ('-': stdout), --level dB\n"
        "      below full scale (0 to -40)"},
};

}  // namespace

int main(int argc, char** argv)
{
    return vexa::tools::runSubcommand(argc, argv, "vexa-modem", "", kCommands);
}
