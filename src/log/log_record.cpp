// The log parser. Reading is tolerant: a word that looks like a date, time or frequency but
// does not read as one is dropped, anything unknown becomes a remark.
#include "log/log_record.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "country/is_callsign_like.h"

namespace vexa::log {

namespace {

struct ModeWord {
    std::string_view word;
    std::string_view text;
};

// First match wins; the SSB words and "RTTY" after a PSK word have their own rules below.
constexpr std::array<ModeWord, 12> kModeWords = {{
    {"CW", "CW  "},
    {"RTTY", "RTTY"},
    {"PSK31", "PSK "},
    {"BPSK", "PSK "},
    {"QPSK", "PSK "},
    {"PSK", "PSK "},
    {"FSK31", "FSK "},
    {"SSTV", "SSTV"},
    {"FAX", "FAX "},
    {"SSB", "SSB "},
    {"USB", "SSB "},
    {"LSB", "SSB "},
}};

bool isSsbWord(std::string_view w) noexcept
{
    return w == "SSB" || w == "USB" || w == "LSB";
}

// "%d.%d.%d" as scanf reads it: each part an optionally signed integer; text after the
// third number is ignored.
std::optional<long long> readFrequency(std::string_view w)
{
    long long parts[3] = {0, 0, 0};
    const char* p = w.data();
    const char* end = w.data() + w.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (p >= end || *p != '.') return std::nullopt;
            ++p;
        }
        if (p < end && *p == '+') ++p;
        const auto r = std::from_chars(p, end, parts[i]);
        if (r.ec != std::errc()) return std::nullopt;
        p = r.ptr;
    }
    return parts[0] * 1000000 + parts[1] * 1000 + parts[2];
}

}  // namespace

int ModeClass(std::string_view modeText) noexcept
{
    if (modeText == "CW  ") return 0;
    if (modeText == "SSB ") return 1;
    if (modeText.empty()) return kNoModeClass;
    return 2;
}

ParseResult ParseLogRecord(std::string_view text, LogRecord* out, const TimeZoneOffset& zone)
{
    std::string_view call;
    std::string_view dateText;
    std::string_view timeText;
    bool first = true;
    long long frequency = 0;
    std::string_view modeText;
    std::string_view modeWord;
    std::string remarks;

    ForEachWord(text, [&](std::string_view w) {
        if (first) {
            call = w;
            first = false;
            return;
        }
        const auto colons = std::count(w.begin(), w.end(), ':');
        const auto slashes = std::count(w.begin(), w.end(), '/');
        const auto dots = std::count(w.begin(), w.end(), '.');
        if (colons == 2) {
            const std::string_view clock = w.back() == 'z' ? w.substr(0, w.size() - 1) : w;
            if (ParseLogClock(clock)) timeText = w;
            return;
        }
        if (slashes == 2) {
            if (ParseLogDate(w)) dateText = w;
            return;
        }
        if (dots == 2) {
            if (const auto f = readFrequency(w)) frequency = *f;
            return;
        }
        for (const ModeWord& m : kModeWords) {
            if (m.word != w) continue;
            if (w == "RTTY" && modeText == "PSK ") break;
            if (isSsbWord(w) && !modeText.empty()) break;
            modeText = m.text;
            modeWord = w;
            return;
        }
        remarks.append(w);
        remarks.push_back(' ');
    });

    if (call.empty() || !country::IsCallsignLike(call)) return ParseResult::NoCall;
    if (dateText.empty()) return ParseResult::NoDate;
    if (timeText.empty()) return ParseResult::NoTime;
    // The frequency is an int of Hz; a value that does not fit is no frequency.
    if (frequency == 0 || frequency > 2147483647LL || frequency < -2147483647LL)
        return ParseResult::NoFrequency;

    const bool utc = timeText.back() == 'z';
    const auto date = ParseLogDate(dateText);
    const auto clock = ParseLogClock(utc ? timeText.substr(0, timeText.size() - 1) : timeText);
    if (!date || !clock) return utc ? ParseResult::BadUtcDateTime : ParseResult::BadLocalDateTime;

    if (out != nullptr) {
        const LogTime written = *date * 86400 + *clock;
        out->call.assign(call);
        out->time = utc ? zone.toLocal(written) : written;
        out->utcWritten = utc;
        out->frequencyHz = static_cast<int>(frequency);
        out->modeText.assign(modeText);
        out->modeWord.assign(modeWord);
        out->remarks = std::move(remarks);
    }
    return ParseResult::Complete;
}

}  // namespace vexa::log
