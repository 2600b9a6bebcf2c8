// The settings file: named integers and strings in sections of an INI text file.
// A missing file, section or key reads as the caller's default; sections and keys match
// regardless of letter case; integers are written in decimal; writing one key rewrites
// only that key's line and keeps every other line of the file (comments, unknown keys,
// odd spelling) as it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vexa {

class Profile {
public:
    explicit Profile(std::filesystem::path file);

    const std::filesystem::path& file() const noexcept { return m_file; }

    // A value that is absent or not a decimal integer reads as the default. Leading and
    // trailing blanks are ignored; digits followed by other text read as the digits.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    // The value with surrounding blanks removed and one pair of enclosing double quotes
    // stripped, as the value was written.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // Creates the directory and the file when needed; the file is replaced atomically.
    // False when the value cannot be written (unwritable place, or a value with a line
    // break, which would break the file's line structure); the file is then unchanged.
    [[nodiscard]] bool writeInt(std::string_view section, std::string_view key, int value);
    [[nodiscard]] bool writeString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::filesystem::path m_file;
};

}  // namespace vexa
