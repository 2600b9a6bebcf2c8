// Appends text to the log file so that it is on the disk before the caller reports it saved.
#pragma once

#include <string>
#include <string_view>

namespace vexa::log {

struct AppendResult {
    std::string error;  // empty on success; else the system's reason ("No space left on device")
    bool ok() const noexcept { return error.empty(); }
};

// Appends `text` (creating the file when missing), after first ending the file's last record
// with a blank line if it lacks one, then flushes it with fsync (and the directory when the
// file was created). On failure the file is cut back to its former length so that no part
// of the text remains.
AppendResult AppendToLog(const std::string& path, std::string_view text);

}  // namespace vexa::log
