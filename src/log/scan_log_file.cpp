// The log scan behind the statistics and the worked-before alerts.
#include "log/scan_log_file.h"

#include "log/log_line.h"
#include "log/log_reader.h"

namespace vexa::log {

ScanResult ScanLogFile(const LogContext& context, const Clock& clock, Prompter* prompter)
{
    ScanResult result;
    const LogTime now = context.zone.toLocal(static_cast<LogTime>(clock.now()));
    LogRecord record;
    const LogReadOutcome read = ReadLogGroups(context.logPath, [&](const LogGroup& group) {
        if (ParseLogRecord(group.text, &record, context.zone) != ParseResult::Complete) {
            if (prompter != nullptr && group.text.front() != ';')
                prompter->inform("Not parsed:\r\n" + group.text, "");
            return;
        }
        ++result.qsoTotal;
        if (context.workedCalls != nullptr)
            context.workedCalls->recordContact(record.call, record.frequencyHz, record.modeText);
        if (context.recorder != nullptr)
            context.recorder->RecordWorked(record.call, record.frequencyHz, record.modeText);
        if (now - record.time < 2 * 86400) result.logLines.push_back(FormatLogLine(record, context.zone));
        if (now - record.time < 2 * 3600) result.recentContacts.push_back(record);
    });
    // A log that does not exist yet is no error; one that cannot be read is.
    if (!read.error.empty() && !read.missing)
        result.error = "Cannot read the log file \"" + context.logPath + "\":\r\n" + read.error;
    return result;
}

}  // namespace vexa::log
