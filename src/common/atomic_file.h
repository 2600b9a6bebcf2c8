// Replacing a data file so that a crash, a full disk or a power cut at any moment leaves
// either the old file or the new one, never a half-written mixture.
#pragma once

#include <filesystem>
#include <string_view>

namespace vexa {

// Writes `contents` to "<file>.new" beside `file`, flushes it to the disk and renames it over
// `file`. False when any step fails; `file` is then as it was and the temporary file is gone.
[[nodiscard]] bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents);

}  // namespace vexa
