// The one-line view of a parsed record in the log window:
// "%-10s %sz %2i.%03i %s %s\r\n" - call, UTC "%d/%b %H:%M", MHz, kHz, mode text, remarks.
#pragma once

#include <string>

#include "log/log_record.h"

namespace vexa::log {

std::string FormatLogLine(const LogRecord& record, const TimeZoneOffset& zone);

}  // namespace vexa::log
