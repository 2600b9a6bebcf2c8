// vexa-modem: the signal engine on the command line.
#include <cstdio>
#include <cstring>

#include "tx_command.h"

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fputs("usage: vexa-modem rx|tx ...\n", stderr);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "tx") == 0) return vexa::tools::runTx(argc, argv);
    std::fprintf(stderr, "vexa-modem: unknown command '%s'\n", argv[1]);
    return 2;
}
