// ADIF -> log records. The written record must parse back to the same call, time, frequency
// and mode, so the comment's words that the parser would take for a mode word are written in
// lower case, and the date, time, mode and frequency come last (a later word wins).
#include "log/adif_import.h"

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "country/is_callsign_like.h"
#include "log/adif_mode.h"
#include "log/log_reader.h"
#include "log/log_record.h"
#include "log/log_writer.h"

namespace vexa::log {

namespace {

std::string field(const AdifFields& f, const char* name)
{
    const auto it = f.find(name);
    if (it == f.end()) return {};
    // Trim; inner white space (line breaks in a comment) becomes single spaces.
    std::string out;
    ForEachWord(it->second, [&](std::string_view w) {
        if (!out.empty()) out.push_back(' ');
        out.append(w);
    });
    return out;
}

bool isModeWord(std::string_view w) noexcept
{
    static constexpr std::string_view kWords[] = {"CW",    "RTTY", "PSK31", "BPSK", "QPSK", "PSK",
                                                  "FSK31", "SSTV", "FAX",   "SSB",  "USB",  "LSB"};
    for (const auto k : kWords)
        if (k == w) return true;
    return false;
}

// Free text for the record: the parser must not find a mode word in it.
void appendText(std::string& record, const std::string& text)
{
    ForEachWord(text, [&](std::string_view w) {
        std::string word(w);
        if (isModeWord(word))
            for (char& c : word) c = static_cast<char>(c - 'A' + 'a');
        record.push_back(' ');
        record.append(word);
    });
}

bool digits(std::string_view s) noexcept
{
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return !s.empty();
}

// "14.0705" (MHz) -> 14070500 Hz, rounded to the Hz.
std::optional<long long> hzOfMhz(std::string_view s)
{
    const std::size_t dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    std::string_view frac = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    if (!whole.empty() && !digits(whole)) return std::nullopt;
    if (!frac.empty() && !digits(frac)) return std::nullopt;
    if (whole.empty() && frac.empty()) return std::nullopt;
    if (whole.size() > 6) return std::nullopt;
    long long hz = whole.empty() ? 0 : std::atoll(std::string(whole).c_str()) * 1000000;
    long long scale = 100000;
    for (std::size_t i = 0; i < frac.size() && i < 6; ++i, scale /= 10) hz += (frac[i] - '0') * scale;
    if (frac.size() > 6 && frac[6] >= '5') ++hz;
    return hz;
}

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

struct ContactKey {
    std::string call;
    std::string band;
    std::string mode;
    bool operator==(const ContactKey&) const = default;
};

struct ContactKeyHash {
    std::size_t operator()(const ContactKey& k) const noexcept
    {
        return std::hash<std::string>()(k.call + '\n' + k.band + '\n' + k.mode);
    }
};

ContactKey keyOf(const LogRecord& r)
{
    // The mode as the log knows it; modes without a log word fall back to the remark-free key.
    return {upper(r.call), std::string(AdifBandName(r.frequencyHz)), r.modeText};
}

}  // namespace

std::optional<std::string> RecordTextOfAdif(const AdifFields& f, std::string* why)
{
    const auto fail = [&](const char* reason) -> std::optional<std::string> {
        if (why != nullptr) *why = reason;
        return std::nullopt;
    };
    const std::string call = upper(field(f, "CALL"));
    if (call.empty()) return fail("no CALL");
    if (!country::IsCallsignLike(call)) return fail("CALL is not shaped like a call sign");
    const std::string date = field(f, "QSO_DATE");
    if (date.size() != 8 || !digits(date)) return fail("no QSO_DATE (YYYYMMDD)");
    const std::string time = field(f, "TIME_ON");
    if ((time.size() != 4 && time.size() != 6) || !digits(time)) return fail("no TIME_ON (HHMM or HHMMSS)");
    const std::string freq = field(f, "FREQ");
    const auto hz = hzOfMhz(freq);
    if (!hz || *hz <= 0 || *hz > 2147483647LL) return fail("no FREQ (MHz)");

    const int month = std::atoi(date.substr(4, 2).c_str());
    if (month < 1 || month > 12) return fail("QSO_DATE has no valid month");
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, " %s/%s/%s %s:%s:%sz", date.substr(6, 2).c_str(),
                  std::string(MonthAbbreviation(month)).c_str(), date.substr(0, 4).c_str(),
                  time.substr(0, 2).c_str(), time.substr(2, 2).c_str(),
                  time.size() == 6 ? time.substr(4, 2).c_str() : "00");

    std::string record = call;
    appendText(record, field(f, "NAME"));
    appendText(record, field(f, "QTH"));
    const std::string rcvd = field(f, "RST_RCVD");
    const std::string sent = field(f, "RST_SENT");
    if (!rcvd.empty() && !sent.empty() && rcvd.find(' ') == std::string::npos &&
        sent.find(' ') == std::string::npos)
        record += " " + rcvd + "/" + sent;
    appendText(record, field(f, "COMMENT"));

    const std::string mode = field(f, "MODE");
    const std::string_view word = LogWordOfAdifMode(mode, field(f, "SUBMODE"));
    record += stamp;
    if (!word.empty()) {
        record += " ";
        record += word;
    } else if (!mode.empty()) {
        appendText(record, upper(mode));  // kept as a remark, e.g. "FT8"
    }
    char frequency[40];
    std::snprintf(frequency, sizeof frequency, " %lld.%03lld.%03lld", *hz / 1000000, *hz / 1000 % 1000,
                  *hz % 1000);
    record += frequency;

    LogRecord check;
    if (ParseLogRecord(record, &check, TimeZoneOffset{}) != ParseResult::Complete)
        return fail("QSO_DATE or TIME_ON is not a valid date and time");
    return record;
}

AdifImportResult ImportAdif(std::string_view adifText, const std::string& logPath, const TimeZoneOffset& zone)
{
    AdifImportResult result;
    std::unordered_map<ContactKey, std::vector<LogTime>, ContactKeyHash> known;
    LogRecord record;
    const auto remember = [&](const LogGroup& group) {
        if (ParseLogRecord(group.text, &record, zone) == ParseResult::Complete)
            known[keyOf(record)].push_back(record.time);
    };
    const LogReadOutcome read = ReadLogGroups(logPath, remember);
    if (read.unterminated) remember(*read.unterminated);
    if (!read.error.empty() && !read.missing) {
        result.error = "cannot read the log file \"" + logPath + "\": " + read.error;
        return result;
    }

    std::string text;
    ReadAdifRecords(adifText, [&](const AdifFields& fields, int line) {
        std::string why;
        const auto recordText = RecordTextOfAdif(fields, &why);
        if (!recordText) {
            result.skipped.push_back("line " + std::to_string(line) + ": " + why);
            return;
        }
        ParseLogRecord(*recordText, &record, zone);
        auto& times = known[keyOf(record)];
        for (const LogTime t : times) {
            if (std::llabs(t - record.time) < 60) {
                ++result.duplicates;
                return;
            }
        }
        times.push_back(record.time);
        text += *recordText + "\r\n\r\n";
        ++result.imported;
    });

    if (!text.empty()) {
        const AppendResult written = AppendToLog(logPath, text);
        if (!written.ok()) {
            result.error = "cannot write the log file \"" + logPath + "\": " + written.error;
            result.imported = 0;
        }
    }
    return result;
}

}  // namespace vexa::log
