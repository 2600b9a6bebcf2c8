// Record -> ADIF. The record's free text is split the way the time stamp builds it: the
// name is the first remark made only of letters, the report is "my RST/RST", the rest of
// the remarks is the comment.
#include "log/adif_export.h"

#include <cstdio>

#include "common/version.h"
#include "log/adif_mode.h"
#include "log/log_reader.h"
#include "log/qso_fields.h"
#include "log/utf8_text.h"

namespace vexa::log {

namespace {

// A signal report: 1 to 3 characters, a digit 1..5 first, then digits or "N" (5NN).
bool isReport(std::string_view r) noexcept
{
    if (r.empty() || r.size() > 3 || r[0] < '1' || r[0] > '5') return false;
    for (std::size_t i = 1; i < r.size(); ++i)
        if (!((r[i] >= '0' && r[i] <= '9') || r[i] == 'N' || r[i] == 'n')) return false;
    return true;
}

void field(std::string& out, std::string_view name, std::string_view value)
{
    if (value.empty()) return;
    out.push_back('<');
    out.append(name);
    out.push_back(':');
    out.append(std::to_string(Utf8Length(value)));
    out.push_back('>');
    out.append(value);
    out.push_back(' ');
}

std::string mhz(long long hz)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld.%06lld", hz / 1000000, hz % 1000000);
    std::string s = buffer;
    // 14.070000 -> 14.070: kHz precision at least, Hz when the record has them.
    while (s.size() > s.find('.') + 4 && s.back() == '0') s.pop_back();
    return s;
}

}  // namespace

AdifContact AdifContactOf(const LogRecord& record, const TimeZoneOffset& zone)
{
    AdifContact c;
    c.call = ToValidUtf8(record.call);
    const CivilTime utc = ToCivil(zone.toUtc(record.time));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", utc.year, utc.month, utc.day);
    c.qsoDate = buffer;
    std::snprintf(buffer, sizeof buffer, "%02d%02d%02d", utc.hour, utc.minute, utc.second);
    c.timeOn = buffer;
    if (record.frequencyHz > 0) {
        c.freq = mhz(record.frequencyHz);
        c.band = AdifBandName(record.frequencyHz);
    }

    AdifMode mode = AdifModeOfWord(record.modeWord);
    bool modeFromRemark = mode.mode.empty();
    std::string comment;
    ForEachWord(record.remarks, [&](std::string_view w) {
        if (modeFromRemark && (w == "FM" || w == "AM")) {
            mode = AdifModeOfWord(w);
            modeFromRemark = false;
            return;
        }
        if (c.name.empty() && isNameWord(w)) {
            c.name = w;
            return;
        }
        const std::size_t slash = w.find('/');
        if (c.rstRcvd.empty() && slash != std::string_view::npos && isReport(w.substr(0, slash)) &&
            isReport(w.substr(slash + 1))) {
            c.rstRcvd = w.substr(0, slash);
            c.rstSent = w.substr(slash + 1);
            return;
        }
        if (!comment.empty()) comment.push_back(' ');
        comment.append(w);
    });
    c.mode = mode.mode;
    c.submode = mode.submode;
    c.comment = ToValidUtf8(comment);
    return c;
}

std::string FormatAdifRecord(const AdifContact& c)
{
    std::string out;
    field(out, "CALL", c.call);
    field(out, "QSO_DATE", c.qsoDate);
    field(out, "TIME_ON", c.timeOn);
    field(out, "FREQ", c.freq);
    field(out, "BAND", c.band);
    field(out, "MODE", c.mode);
    field(out, "SUBMODE", c.submode);
    field(out, "RST_RCVD", c.rstRcvd);
    field(out, "RST_SENT", c.rstSent);
    field(out, "NAME", c.name);
    field(out, "COMMENT", c.comment);
    out.append("<EOR>\r\n");
    return out;
}

std::string AdifHeader(LogTime createdUtc)
{
    std::string version(kVersionString);
    if (const std::size_t v = version.find(" v "); v != std::string::npos) version.erase(0, v + 3);
    const CivilTime t = ToCivil(createdUtc);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d %02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    std::string out = "Vexa logbook export\r\n";
    field(out, "ADIF_VER", "3.1.0");
    field(out, "PROGRAMID", "Vexa");
    field(out, "PROGRAMVERSION", version);
    field(out, "CREATED_TIMESTAMP", stamp);
    out.append("<EOH>\r\n");
    return out;
}

AdifExportResult ExportAdif(const std::string& logPath, const TimeZoneOffset& zone, LogTime createdUtc,
                            const std::function<void(std::string_view)>& write)
{
    AdifExportResult result;
    write(AdifHeader(createdUtc));
    LogRecord record;
    std::string chunk;
    const auto exportGroup = [&](const LogGroup& group) {
        const ParseResult r = ParseLogRecord(group.text, &record, zone);
        if (r != ParseResult::Complete) {
            if (group.text.front() != ';') result.unparsed.push_back({group.firstLine, r, group.text});
            return;
        }
        chunk += FormatAdifRecord(AdifContactOf(record, zone));
        ++result.exported;
        if (chunk.size() > 64 * 1024) {
            write(chunk);
            chunk.clear();
        }
    };
    const LogReadOutcome read = ReadLogGroups(logPath, exportGroup);
    // A last record without the blank line after it (a log edited by hand) is still a contact.
    if (read.unterminated) exportGroup(*read.unterminated);
    if (!chunk.empty()) write(chunk);
    if (!read.error.empty()) result.error = "cannot read the log file \"" + logPath + "\": " + read.error;
    return result;
}

}  // namespace vexa::log
