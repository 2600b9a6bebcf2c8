// A disk that fills up: while one of these lives, no file of the process can grow beyond
// the given size (writes past it fail with EFBIG instead of raising SIGXFSZ). For tests of
// an output device that stops working half way through.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <cstddef>

namespace vexa::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes)
    {
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const noexcept { return m_set; }

private:
    rlimit m_old{};
    sighandler_t m_oldHandler = SIG_DFL;
    bool m_set = false;
};

}  // namespace vexa::test
