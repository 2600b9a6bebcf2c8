#include "common/profile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

namespace vexa {
namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trim(std::string_view s)
{
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::vector<std::string> readLines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    // Some editors start a file with a UTF-8 byte-order mark; it would hide the first section.
    if (!lines.empty() && lines.front().starts_with("\xEF\xBB\xBF")) lines.front().erase(0, 3);
    return lines;
}

// "[name]" -> name; nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    const std::string_view t = trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

bool isComment(std::string_view line)
{
    const std::string_view t = trim(line);
    return !t.empty() && (t.front() == ';' || t.front() == '#');
}

// "key = value" -> key, value; nullopt for lines without '='.
std::optional<std::pair<std::string_view, std::string_view>> keyValue(std::string_view line)
{
    if (isComment(line) || sectionName(line)) return std::nullopt;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return std::make_pair(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
}

std::optional<std::string> findValue(const std::filesystem::path& file, std::string_view section,
                                     std::string_view key)
{
    bool inSection = false;
    for (const std::string& line : readLines(file)) {
        if (auto name = sectionName(line)) {
            inSection = equalNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        if (auto kv = keyValue(line); kv && equalNoCase(kv->first, key)) return std::string(kv->second);
    }
    return std::nullopt;
}

bool replaceFile(const std::filesystem::path& file, const std::vector<std::string>& lines)
{
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    const std::filesystem::path temp = file.string() + ".new";
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const bool flushed = std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !flushed || !closed) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace

Profile::Profile(std::filesystem::path file) : m_file(std::move(file)) {}

int Profile::readInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const std::optional<std::string> value = findValue(m_file, section, key);
    if (!value || value->empty()) return defaultValue;
    errno = 0;
    char* end = nullptr;
    const long n = std::strtol(value->c_str(), &end, 10);
    if (end == value->c_str() || errno == ERANGE || n < INT32_MIN || n > INT32_MAX) return defaultValue;
    return static_cast<int>(n);
}

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    const std::optional<std::string> value = findValue(m_file, section, key);
    if (!value) return std::string(defaultValue);
    if (value->size() >= 2 && value->front() == '"' && value->back() == '"')
        return value->substr(1, value->size() - 2);
    return *value;
}

bool Profile::writeInt(std::string_view section, std::string_view key, int value)
{
    return writeString(section, key, std::to_string(value));
}

bool Profile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    if (value.find_first_of("\r\n") != std::string_view::npos || key.empty() ||
        key.find_first_of("=\r\n") != std::string_view::npos ||
        section.find_first_of("]\r\n") != std::string_view::npos)
        return false;
    // Blanks around a value and enclosing quotes are not part of it on reading; quote
    // such a value so that it reads back exactly.
    const bool quote = !value.empty() && (trim(value) != value ||
                                          (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    std::string stored;
    stored.reserve(value.size() + 2);
    if (quote) stored += '"';
    stored += value;
    if (quote) stored += '"';

    std::vector<std::string> lines = readLines(m_file);
    bool inSection = false;
    std::optional<size_t> sectionLine;
    std::optional<size_t> lastEntry;  // the section's last key line: a new key goes after it
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inSection) break;
            inSection = equalNoCase(*name, section);
            if (inSection) sectionLine = i;
            continue;
        }
        if (!inSection) continue;
        if (auto kv = keyValue(lines[i])) {
            if (equalNoCase(kv->first, key)) {
                // Keep the key as it is spelt in the file and any blanks before the '='.
                const size_t eq = lines[i].find('=');
                const size_t valueAt = lines[i].find_first_not_of(" \t", eq + 1);
                lines[i] = lines[i].substr(0, valueAt == std::string::npos ? eq + 1 : valueAt) + stored;
                return replaceFile(m_file, lines);
            }
            lastEntry = i;
        }
    }
    const std::string entry = std::string(key) + "=" + stored;
    if (sectionLine) {
        const size_t at = lastEntry ? *lastEntry + 1 : *sectionLine + 1;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    } else {
        if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
        std::string header;
        header.reserve(section.size() + 2);
        header += '[';
        header += section;
        header += ']';
        lines.push_back(std::move(header));
        lines.push_back(entry);
    }
    return replaceFile(m_file, lines);
}

}  // namespace vexa
