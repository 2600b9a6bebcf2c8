// `SearchLog`: the records of the log file that contain a text, in any letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/ports.h"

namespace vexa::log {

struct SearchResult {
    std::string text;   // "Looking for " ... as shown in the text viewer
    int found = 0;      // records found
    std::string error;  // a read error (file name and reason), also shown through the prompter
};

// Searches `logPath` for `needle`. Reports a read error through `prompter` when not null.
SearchResult SearchLog(const std::string& logPath, std::string_view needle, Prompter* prompter);

// The command's text choice: the selection of the entry line searched at once; otherwise
// the input box "String to find:" offering `firstWord`. nullopt when cancelled.
std::optional<std::string> SearchText(std::string_view selection, std::string_view firstWord,
                                      Prompter& prompter);

}  // namespace vexa::log
