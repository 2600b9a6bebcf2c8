// Reads the log file as records: lines without their ends and trailing white space, a group
// of consecutive non-blank lines ended by a blank line is one record (its lines joined with
// CR LF). Any byte is accepted: invalid text, NUL bytes and lines of any length cost no
// neighbouring record.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vexa::log {

struct LogGroup {
    std::string text;   // lines joined with "\r\n"
    int firstLine = 0;  // 1-based line numbers in the file
    int lineCount = 0;
};

struct LogReadOutcome {
    bool opened = false;
    bool missing = false;                  // the file does not exist (not an error for a new log)
    std::string error;                     // strerror text of an open or read failure; empty if none
    std::optional<LogGroup> unterminated;  // a group still open at the end of the file (not a record)
};

// Calls onGroup for every complete group in file order. A read error ends the reading; the
// groups delivered before it stand.
LogReadOutcome ReadLogGroups(const std::string& path, const std::function<void(const LogGroup&)>& onGroup);

}  // namespace vexa::log
