// vexa-log: the logbook and the country data on the command line, for users and scripts:
// country lookup, log check, ADIF export and import, statistics and search.
#include <array>

#include "cli/subcommands.h"
#include "log_commands.h"
#include "lookup_command.h"

namespace {

using vexa::tools::CommandEntry;

constexpr std::array kCommands = {
    CommandEntry{"lookup", vexa::tools::runLookup,
                 "lookup [--cty FILE] [--own LAT LON] [CALL...]\n"
                 "      resolve each CALL (or each line of stdin) to its country; one tab-separated line\n"
                 "      per call: call, prefix, country, continent, CQ zone, ITU zone, latitude,\n"
                 "      longitude, DXCC prefix, short-path heading, distance in km"},
    CommandEntry{
        "check", vexa::tools::runCheck,
        "check [LOG]\n      list the records that do not parse, with line number and result code; exit 1 "
        "if any"},
    CommandEntry{
        "export-adif", vexa::tools::runExportAdif,
        "export-adif [LOG] OUT.adi\n      write the log as an ADIF 3.1 file ('-': stdout); records that do "
        "not parse are listed on stderr"},
    CommandEntry{
        "import-adif", vexa::tools::runImportAdif,
        "import-adif IN.adi [LOG]\n      append the contacts of an ADIF file ('-': stdin) to the log, "
        "skipping those already in it"},
    CommandEntry{"stats", vexa::tools::runStats,
                 "stats [--cty FILE] [LOG]\n      worked countries, modes and zones per band, from the log"},
    CommandEntry{"search", vexa::tools::runSearch,
                 "search TEXT [LOG]\n      the records containing TEXT, in any letter case"},
};

}  // namespace

int main(int argc, char** argv)
{
    return vexa::tools::runSubcommand(argc, argv, "vexa-log",
                                      "  LOG defaults to log.log in Vexa's data directory\n", kCommands);
}
