// `ScanLogFile`: reads the whole log once, records every contact as worked and collects the
// log window's lines of the last two days and the contacts of the last two hours.
#pragma once

#include <string>
#include <vector>

#include "common/ports.h"
#include "log/log_record.h"
#include "log/save_entry.h"

namespace vexa::log {

struct ScanResult {
    int qsoTotal = 0;                       // records parsed ("QSOs total")
    std::vector<std::string> logLines;      // log-line-format lines of records less than 2 days old
    std::vector<LogRecord> recentContacts;  // records less than 2 hours old, for the frequency marks
    std::string error;                      // a read error (the file's name and the reason); empty if none
};

// `prompter` (may be null) shows "Not parsed:\r\n" plus the record for every record that
// does not parse and does not begin with ";". A missing log file is not an error.
ScanResult ScanLogFile(const LogContext& context, const Clock& clock, Prompter* prompter);

}  // namespace vexa::log
