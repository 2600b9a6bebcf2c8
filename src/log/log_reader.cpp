// Chunked reading with POSIX calls, so that a log replaced by a directory or a failing disk
// reports the system's error rather than ending the reading quietly.
#include "log/log_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vexa::log {

namespace {

// NUL and the other control bytes count as white space here: a run of NULs left by a crash
// (a file extended but never written) then separates records instead of joining them.
std::size_t trimmedLength(const std::string& line) noexcept
{
    std::size_t n = line.size();
    while (n > 0 && static_cast<unsigned char>(line[n - 1]) <= 32) --n;
    return n;
}

class Grouper {
public:
    explicit Grouper(const std::function<void(const LogGroup&)>& onGroup) : m_onGroup(onGroup) {}

    void line(const std::string& raw)
    {
        ++m_lineNumber;
        const std::size_t n = trimmedLength(raw);
        if (n == 0) {
            if (m_group.lineCount > 0) m_onGroup(m_group);
            m_group.text.clear();
            m_group.lineCount = 0;
            return;
        }
        if (m_group.lineCount == 0) {
            m_group.firstLine = m_lineNumber;
        } else {
            m_group.text.append("\r\n");
        }
        m_group.text.append(raw, 0, n);
        ++m_group.lineCount;
    }

    std::optional<LogGroup> open() const
    {
        if (m_group.lineCount == 0) return std::nullopt;
        return m_group;
    }

private:
    const std::function<void(const LogGroup&)>& m_onGroup;
    LogGroup m_group;
    int m_lineNumber = 0;
};

}  // namespace

LogReadOutcome ReadLogGroups(const std::string& path, const std::function<void(const LogGroup&)>& onGroup)
{
    LogReadOutcome outcome;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        outcome.missing = errno == ENOENT;
        outcome.error = std::strerror(errno);
        return outcome;
    }
    outcome.opened = true;

    Grouper grouper(onGroup);
    std::vector<char> buffer(256 * 1024);
    std::string line;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            outcome.error = std::strerror(errno);
            break;
        }
        if (got == 0) {
            // A last line without a line end still ends the file's text.
            if (!line.empty()) grouper.line(line);
            break;
        }
        const char* p = buffer.data();
        const char* end = p + got;
        while (p < end) {
            const char* nl =
                static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (nl == nullptr) {
                line.append(p, end);
                break;
            }
            line.append(p, nl);
            grouper.line(line);
            line.clear();
            p = nl + 1;
        }
    }
    ::close(fd);
    outcome.unterminated = grouper.open();
    return outcome;
}

}  // namespace vexa::log
