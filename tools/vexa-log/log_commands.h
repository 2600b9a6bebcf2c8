// The logbook subcommands of vexa-log: check, export-adif, import-adif, stats and search.
// Each gets the whole command line (argv[1] is its own name) and returns the exit status:
// 0 success, 1 failure (message on stderr), 2 bad usage.
#pragma once

namespace vexa::tools {

int runCheck(int argc, char** argv);
int runExportAdif(int argc, char** argv);
int runImportAdif(int argc, char** argv);
int runStats(int argc, char** argv);
int runSearch(int argc, char** argv);

}  // namespace vexa::tools
