// Formats the log window's line of a record.
#include "log/log_line.h"

#include <cstdio>

namespace vexa::log {

std::string FormatLogLine(const LogRecord& record, const TimeZoneOffset& zone)
{
    const CivilTime utc = ToCivil(zone.toUtc(record.time));
    const std::string_view mon = MonthAbbreviation(utc.month);
    char when[32];
    std::snprintf(when, sizeof when, "%02d/%.*s %02d:%02d", utc.day, static_cast<int>(mon.size()), mon.data(),
                  utc.hour, utc.minute);
    const int hz = record.frequencyHz;
    std::string line;
    line.resize(record.call.size() + record.remarks.size() + 64);
    const int n =
        std::snprintf(line.data(), line.size(), "%-10s %sz %2i.%03i %s %s\r\n", record.call.c_str(), when,
                      hz / 1000000, hz % 1000000 / 1000, record.modeText.c_str(), record.remarks.c_str());
    line.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return line;
}

}  // namespace vexa::log
