#include "rig/rigctld_channel.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <system_error>

namespace vexa::rig {

std::optional<RigctldAddress> parseRigctldAddress(const std::string& text)
{
    RigctldAddress a;
    if (text.empty()) return a;
    std::string host = text;
    std::string port;
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string::npos) return std::nullopt;
        host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') return std::nullopt;
            port = text.substr(close + 2);
        }
    } else if (const auto colon = text.rfind(':'); colon != std::string::npos) {
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (!host.empty()) a.host = host;
    if (!port.empty()) {
        char* end = nullptr;
        const long n = std::strtol(port.c_str(), &end, 10);
        if (*end != '\0' || n < 1 || n > 65535) return std::nullopt;
        a.port = static_cast<int>(n);
    }
    return a;
}

RigctldChannel::~RigctldChannel()
{
    Close();
}

std::string RigctldChannel::describe() const
{
    return m_address.host + ":" + std::to_string(m_address.port);
}

bool RigctldChannel::Open(const RigctldAddress& address)
{
    Close();
    m_address = address;
    clearReceived();
    m_lost = m_connectedNews = false;
    if (::pipe2(m_stop, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        Close();
        return false;
    }
    return true;
}

void RigctldChannel::Close()
{
    if (m_stop[1] >= 0) {
        const char c = 1;
        (void)!::write(m_stop[1], &c, 1);
    }
    if (m_thread.joinable()) m_thread.join();
    for (int* fd : {&m_stop[0], &m_stop[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    m_connected = false;
}

bool RigctldChannel::waitStop(int ms)
{
    pollfd p{m_stop[0], POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

int RigctldChannel::connectOnce()
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(m_address.host.c_str(), std::to_string(m_address.port).c_str(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) break;
        pollfd p[2] = {{fd, POLLOUT, 0}, {m_stop[0], POLLIN, 0}};
        int error = 0;
        socklen_t len = sizeof error;
        if (errno != EINPROGRESS || ::poll(p, 2, kConnectTimeoutMs) <= 0 || p[1].revents != 0 ||
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    if (fd >= 0) {
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    return fd;
}

void RigctldChannel::run()
{
    uint8_t buffer[1024];
    for (;;) {
        const int fd = connectOnce();
        if (fd >= 0) {
            {
                std::lock_guard lock(m_fdLock);
                m_fd = fd;
            }
            m_connected = true;
            m_connectedNews = true;
            wake(true);
            bool stop = false;
            for (;;) {
                pollfd p[2] = {{fd, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
                if (::poll(p, 2, -1) < 0 && errno != EINTR) break;
                if (p[1].revents != 0) {
                    stop = true;
                    break;
                }
                if (p[0].revents == 0) continue;
                const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
                if (n > 0) {
                    store({buffer, static_cast<std::size_t>(n)});
                    wake(false);
                    continue;
                }
                if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
                break;  // the daemon closed the connection or went away
            }
            {
                std::lock_guard lock(m_fdLock);
                m_fd = -1;
            }
            ::close(fd);
            m_connected = false;
            if (stop) return;
            m_lost = true;
            wake(true);
        }
        if (waitStop(kRetryMs)) return;
    }
}

bool RigctldChannel::Write(std::span<const uint8_t> bytes)
{
    std::lock_guard lock(m_fdLock);
    if (m_fd < 0) return false;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(m_fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{m_fd, POLLOUT, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0) return false;
    }
    return true;
}

}  // namespace vexa::rig
