// Dates and times as the logbook writes and reads them: "08/Dec/2026" and "18:05:09" (with a
// trailing "z" for UTC), the local time of a record as a plain second count, and the one
// time-zone rule used everywhere: the standard-time offset, without daylight saving.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexa::log {

// A civil date and time counted in seconds from 1 Jan 1970 00:00:00 of the same clock (no
// time zone attached): the value of a local time and of a UTC time are both of this kind.
using LogTime = std::int64_t;

// Seconds west of UTC of the standard time (the C runtime's `timezone` after tzset(), so the
// TZ environment variable is honoured). Local = UTC - offset; UTC = local + offset.
struct TimeZoneOffset {
    long secondsWest = 0;
    static TimeZoneOffset system() noexcept;
    LogTime toLocal(LogTime utc) const noexcept { return utc - secondsWest; }
    LogTime toUtc(LogTime local) const noexcept { return local + secondsWest; }
};

struct CivilTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

LogTime ToLogTime(const CivilTime& t) noexcept;
CivilTime ToCivil(LogTime t) noexcept;

// Days from 1 Jan 1970 of a date word: "8/Dec/2026" (English month abbreviation or full
// name, any letter case) or "2026/12/08". nullopt for anything else or an impossible date.
std::optional<LogTime> ParseLogDate(std::string_view word);

// Seconds from midnight of "18:05:09" (hours 0..23, minutes and seconds 0..59).
std::optional<int> ParseLogClock(std::string_view word);

// The English three-letter month abbreviation, 1..12.
std::string_view MonthAbbreviation(int month) noexcept;

// "%d/%b/%Y %H:%M:%S" of the given time, with "z" appended when `utc`.
std::string FormatStampTime(LogTime t, bool utc);

}  // namespace vexa::log
