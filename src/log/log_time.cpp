// Civil-time arithmetic for the logbook, independent of the C library's time zone database
// except for the one standard-time offset.
#include "log/log_time.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>

namespace vexa::log {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                          "May",       "June",     "July",     "August",
                                                          "September", "October",  "November", "December"};

// Howard Hinnant's days-from-civil: exact for the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) noexcept
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool isLeap(int y) noexcept
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) noexcept
{
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

// A run of 1..maxDigits decimal digits, nothing else.
std::optional<int> number(std::string_view s, std::size_t maxDigits)
{
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    int v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::optional<int> monthFromName(std::string_view s)
{
    if (s.size() < 3) return std::nullopt;
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        const std::string_view full = kMonthNames[i];
        if (s.size() != 3 && s.size() != full.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < s.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(s[k])) ==
                   std::tolower(static_cast<unsigned char>(full[k]));
        if (same) return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

}  // namespace

TimeZoneOffset TimeZoneOffset::system() noexcept
{
    ::tzset();
    return TimeZoneOffset{::timezone};
}

LogTime ToLogTime(const CivilTime& t) noexcept
{
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

CivilTime ToCivil(LogTime t) noexcept
{
    std::int64_t days = t / 86400;
    std::int64_t secs = t % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    // Inverse of daysFromCivil.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    CivilTime c;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2));
    c.hour = static_cast<int>(secs / 3600);
    c.minute = static_cast<int>(secs / 60 % 60);
    c.second = static_cast<int>(secs % 60);
    return c;
}

std::optional<LogTime> ParseLogDate(std::string_view word)
{
    const std::size_t a = word.find('/');
    if (a == std::string_view::npos) return std::nullopt;
    const std::size_t b = word.find('/', a + 1);
    if (b == std::string_view::npos || word.find('/', b + 1) != std::string_view::npos) return std::nullopt;
    const std::string_view p1 = word.substr(0, a);
    const std::string_view p2 = word.substr(a + 1, b - a - 1);
    const std::string_view p3 = word.substr(b + 1);

    std::optional<int> y, m, d;
    if (p1.size() == 4) {  // 2026/12/08
        y = number(p1, 4);
        m = number(p2, 2);
        d = number(p3, 2);
    } else {  // 8/Dec/2026
        d = number(p1, 2);
        m = monthFromName(p2);
        y = number(p3, 4);
        if (p3.size() != 4) y.reset();
    }
    if (!y || !m || !d || *y < 1900 || *m < 1 || *m > 12 || *d < 1 || *d > daysInMonth(*y, *m))
        return std::nullopt;
    return daysFromCivil(*y, *m, *d);
}

std::optional<int> ParseLogClock(std::string_view word)
{
    const std::size_t a = word.find(':');
    if (a == std::string_view::npos) return std::nullopt;
    const std::size_t b = word.find(':', a + 1);
    if (b == std::string_view::npos || word.find(':', b + 1) != std::string_view::npos) return std::nullopt;
    const auto h = number(word.substr(0, a), 2);
    const auto m = number(word.substr(a + 1, b - a - 1), 2);
    const auto s = number(word.substr(b + 1), 2);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
    return *h * 3600 + *m * 60 + *s;
}

std::string_view MonthAbbreviation(int month) noexcept
{
    if (month < 1 || month > 12) return "???";
    return kMonthNames[static_cast<std::size_t>(month - 1)].substr(0, 3);
}

std::string FormatStampTime(LogTime t, bool utc)
{
    const CivilTime c = ToCivil(t);
    const std::string_view mon = MonthAbbreviation(c.month);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d/%.*s/%d %02d:%02d:%02d%s", c.day, static_cast<int>(mon.size()),
                  mon.data(), c.year, c.hour, c.minute, c.second, utc ? "z" : "");
    return buffer;
}

}  // namespace vexa::log
