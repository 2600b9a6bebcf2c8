// Saving an entry: gather its records (a blank line ends one), ask about a record that does
// not parse, write the text with each record followed by a blank line, and only then record
// the contacts and report the entry saved.
#include "log/save_entry.h"

#include "log/log_line.h"
#include "log/log_record.h"
#include "log/log_writer.h"

namespace vexa::log {

namespace {

std::string trimmedCopy(std::string_view line)
{
    std::string copy(line);
    for (char& c : copy)
        if (c == '\r' || c == '\n') c = ' ';
    std::size_t n = copy.size();
    while (n > 0 && static_cast<unsigned char>(copy[n - 1]) <= 32) --n;
    copy.resize(n);
    return copy;
}

}  // namespace

SaveResult SaveEntry(std::string_view entryText, EntryLineState& state, Prompter& prompter,
                     const LogContext& context)
{
    SaveResult result;
    if (!state.unsaved()) return result;

    std::string fileText;
    std::string gathered;
    std::vector<LogRecord> parsed;
    auto finishRecord = [&]() -> bool {
        LogRecord record;
        if (ParseLogRecord(gathered, &record, context.zone) != ParseResult::Complete) return false;
        parsed.push_back(std::move(record));
        return true;
    };

    std::size_t pos = 0;
    while (pos <= entryText.size()) {
        std::size_t nl = entryText.find('\n', pos);
        if (nl == std::string_view::npos) nl = entryText.size();
        std::string_view line = entryText.substr(pos, nl - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = nl + 1;
        fileText.append(line).append("\r\n");
        const std::string copy = trimmedCopy(line);
        if (!copy.empty()) {
            gathered.append(copy).push_back(' ');
        } else {
            if (!gathered.empty()) finishRecord();
            gathered.clear();
        }
    }

    if (!gathered.empty()) {
        // Each record is followed by a blank line, so that reading sees it as a record of its own.
        fileText.append("\r\n");
        if (!finishRecord() && parsed.empty() && gathered.front() != ';') {
            if (prompter.askYesNoCancel(kNotParsedSaveAnyway, "") != Prompter::Answer::Yes) {
                result.outcome = SaveOutcome::Declined;
                return result;
            }
        }
    }

    const AppendResult written = AppendToLog(context.logPath, fileText);
    if (!written.ok()) {
        result.outcome = SaveOutcome::Failed;
        result.error = "The contact was NOT saved.\r\nCannot write the log file \"" + context.logPath +
                       "\":\r\n" + written.error;
        prompter.inform(result.error, "Error");
        return result;
    }

    for (const LogRecord& r : parsed) {
        if (context.workedCalls != nullptr)
            context.workedCalls->recordContact(r.call, r.frequencyHz, r.modeText);
        if (context.recorder != nullptr) context.recorder->RecordWorked(r.call, r.frequencyHz, r.modeText);
        result.logLines.push_back(FormatLogLine(r, context.zone));
    }
    if (parsed.empty()) result.unformattedText = gathered + "\r\n";
    state.setState(entry_state::kSaved);
    result.outcome = SaveOutcome::Saved;
    return result;
}

}  // namespace vexa::log
