// The only code that writes the log. The log is the operator's record: a failed write must
// be reported as failed and must leave no half record behind.
#include "log/log_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace vexa::log {

namespace {

bool writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// How many line ends the file's tail needs so that the next text starts a new record: 0 for
// an empty file or one ending in a blank line, 1 after a line end, 2 after unterminated text.
int lineEndsNeeded(int fd, off_t size)
{
    if (size == 0) return 0;
    char tail[256];
    const off_t from = size > static_cast<off_t>(sizeof tail) ? size - static_cast<off_t>(sizeof tail) : 0;
    const ssize_t n = ::pread(fd, tail, static_cast<std::size_t>(size - from), from);
    if (n <= 0) return 2;
    int newlines = 0;
    for (ssize_t i = n - 1; i >= 0; --i) {
        const auto c = static_cast<unsigned char>(tail[i]);
        if (c == '\n') {
            if (++newlines >= 2) return 0;
        } else if (c > 32) {
            break;
        }
    }
    if (from > 0 && newlines < 2) {
        // The whole tail read was white space: treat as separated unless it lacks line ends.
        bool allSpace = true;
        for (ssize_t i = 0; i < n && allSpace; ++i) allSpace = static_cast<unsigned char>(tail[i]) <= 32;
        if (allSpace) return 0;
    }
    return 2 - newlines;
}

}  // namespace

AppendResult AppendToLog(const std::string& path, std::string_view text)
{
    AppendResult result;
    struct stat before {};
    const bool existed = ::stat(path.c_str(), &before) == 0;

    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        result.error = std::strerror(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.error = std::strerror(errno);
        ::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = "not a regular file";
        ::close(fd);
        return result;
    }

    // A read-write descriptor is needed only to look at the tail; O_APPEND ignores offsets.
    int separatorEnds = 0;
    if (st.st_size > 0) {
        const int rfd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        separatorEnds = rfd >= 0 ? lineEndsNeeded(rfd, st.st_size) : 2;
        if (rfd >= 0) ::close(rfd);
    }
    std::string data;
    data.reserve(text.size() + 4);
    for (int i = 0; i < separatorEnds; ++i) data.append("\r\n");
    data.append(text);

    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (!ok) {
        // Take the partial text back out, so that the log holds either the whole entry or none.
        if (::ftruncate(fd, st.st_size) == 0) ::fsync(fd);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        result.error = std::strerror(savedErrno);
        return result;
    }
    if (!existed) {
        // A new file's directory entry must reach the disk too, or a crash can lose the file.
        std::filesystem::path dir = std::filesystem::path(path).parent_path();
        if (dir.empty()) dir = ".";
        const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
    }
    return result;
}

}  // namespace vexa::log
