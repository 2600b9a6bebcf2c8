// Case-insensitive search of the log file, record by record.
#include "log/search_log.h"

#include <algorithm>

#include "log/log_reader.h"

namespace vexa::log {

namespace {
void upper(std::string& s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}
}  // namespace

std::optional<std::string> SearchText(std::string_view selection, std::string_view firstWord,
                                      Prompter& prompter)
{
    if (!selection.empty()) return std::string(selection);
    return prompter.askText("String to find:", firstWord);
}

SearchResult SearchLog(const std::string& logPath, std::string_view needle, Prompter* prompter)
{
    SearchResult result;
    result.text = "Looking for ";
    result.text.append(needle).append("\r\n");
    std::string key(needle);
    upper(key);

    std::string found;
    std::string copy;
    const LogReadOutcome read = ReadLogGroups(logPath, [&](const LogGroup& group) {
        copy = group.text;
        upper(copy);
        if (copy.find(key) == std::string::npos) return;
        // Each line of the record is shown after a line break, and the record ends with one.
        found.append("\r\n").append(group.text).append("\r\n");
        ++result.found;
    });
    if (!read.error.empty() && !read.missing) {
        result.error = "Cannot read the log file \"" + logPath + "\":\r\n" + read.error;
        if (prompter != nullptr) prompter->inform(result.error, "Error");
    }
    result.text.append(found.empty() ? std::string("Nothing found\r\n") : found);
    return result;
}

}  // namespace vexa::log
