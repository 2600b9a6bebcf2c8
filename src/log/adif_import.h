// Brings contacts from an ADIF file into the log as records in Vexa's own format, skipping
// contacts the log already holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/adif_reader.h"
#include "log/log_time.h"

namespace vexa::log {

// The log record for an ADIF contact: call, name, QTH, report, comment, then the UTC date and
// time, the mode word and the frequency. nullopt with `why` set when the contact lacks
// what a record needs (call, date, time, frequency) or has a call the log cannot read.
std::optional<std::string> RecordTextOfAdif(const AdifFields& fields, std::string* why);

struct AdifImportResult {
    int imported = 0;
    int duplicates = 0;                // already in the log (or twice in the file)
    std::vector<std::string> skipped;  // "line N: reason" for contacts that cannot be records
    std::string error;                 // reading the log or writing it failed; nothing was written
};

// Appends the contacts of `adifText` to `logPath` in one durable write.
AdifImportResult ImportAdif(std::string_view adifText, const std::string& logPath,
                            const TimeZoneOffset& zone);

}  // namespace vexa::log
