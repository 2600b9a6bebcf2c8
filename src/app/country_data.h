// The country file and the worked-status tables as the application keeps them: loaded once
// per run and kept across a rebuild of the main window, with the flags that say where the
// worked status came from.
#pragma once

#include "country/country_table.h"
#include "country/format_path.h"
#include "country/worked_tables.h"

namespace vexa::app {

struct CountryData {
    country::CountryTable table;
    country::WorkedTables worked;
    country::BearingIndicator indicator;
    bool loaded = false;           // the country file and cache have been read this run
    bool workedCacheRead = false;  // "qcty.dat" was looked for (read or not)
    bool logScanned = false;       // the whole log has been recorded into the tables
};

}  // namespace vexa::app
