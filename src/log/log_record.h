// One logbook record read from its free text: the call (first word), a date, a time, a
// frequency and a mode word found by their shapes, every other word kept as remarks.
#pragma once

#include <string>
#include <string_view>

#include "log/log_time.h"

namespace vexa::log {

enum class ParseResult : int {
    Complete = 0,
    NoCall = 1,  // no first word, or one that is not shaped like a call sign
    NoDate = 2,
    NoTime = 3,
    NoFrequency = 4,
    BadUtcDateTime = 5,    // the date and a "z" time do not make a date-time
    BadLocalDateTime = 6,  // the date and a time without "z" do not make a date-time
};

inline constexpr int kNoModeClass = 99;

struct LogRecord {
    std::string call;
    LogTime time = 0;  // local time (a "z" time converted by the offset)
    int frequencyHz = 0;
    std::string modeText;     // "CW  ", "SSB ", "RTTY", "PSK ", "FSK ", "SSTV", "FAX " or empty
    std::string modeWord;     // the word that set modeText, as written ("QPSK", "USB" ...)
    std::string remarks;      // every other word, each followed by one space
    bool utcWritten = false;  // the time was written with "z"
};

// 0 CW, 1 SSB, 2 the digital modes, kNoModeClass without a mode text.
int ModeClass(std::string_view modeText) noexcept;

// Parses `text`; `out` (optional) is written only when the result is Complete.
ParseResult ParseLogRecord(std::string_view text, LogRecord* out, const TimeZoneOffset& zone);

// Words are maximal runs of bytes above 32 (compared unsigned); calls fn(word) for each.
template <typename Fn>
void ForEachWord(std::string_view text, Fn&& fn)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        while (i < n && static_cast<unsigned char>(text[i]) <= 32) ++i;
        const std::size_t start = i;
        while (i<n&& static_cast<unsigned char>(text[i])> 32) ++i;
        if (i > start) fn(text.substr(start, i - start));
    }
}

}  // namespace vexa::log
