#include "pty_radio.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace vexa::test {

PtyRadio::PtyRadio()
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    termios t{};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(m_slave, TCSANOW, &t);
    m_path = name;
    if (::pipe(m_stop) != 0) m_stop[0] = m_stop[1] = -1;
}

void PtyRadio::start()
{
    if (m_master >= 0 && m_stop[0] >= 0 && !m_thread.joinable()) m_thread = std::thread([this] { run(); });
}

PtyRadio::~PtyRadio()
{
    stop();
    for (int fd : {m_master, m_slave, m_stop[0], m_stop[1]})
        if (fd >= 0) ::close(fd);
}

void PtyRadio::run()
{
    uint8_t buffer[4096];
    for (;;) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents != 0) return;
        if ((fds[0].revents & POLLNVAL) != 0) return;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            return;
        }
        {
            std::lock_guard lock(m_lock);
            m_received.insert(m_received.end(), buffer, buffer + n);
        }
        m_arrived.notify_all();
        onBytes({buffer, static_cast<std::size_t>(n)});
    }
}

void PtyRadio::send(std::span<const uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

std::vector<uint8_t> PtyRadio::received() const
{
    std::lock_guard lock(m_lock);
    return m_received;
}

std::string PtyRadio::receivedText() const
{
    const auto bytes = received();
    return {bytes.begin(), bytes.end()};
}

void PtyRadio::clearReceived()
{
    std::lock_guard lock(m_lock);
    m_received.clear();
}

bool PtyRadio::waitForReceived(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_lock);
    return m_arrived.wait_for(lock, timeout, [&] { return m_received.size() >= count; });
}

void PtyRadio::stop()
{
    if (m_stop[1] >= 0) {
        const char c = 1;
        (void)!::write(m_stop[1], &c, 1);
    }
    if (m_thread.joinable()) m_thread.join();
}

void PtyRadio::hangUp()
{
    stop();
    // Closing every descriptor of the pair is what a vanished device looks like to the reader.
    for (int* fd : {&m_master, &m_slave}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

std::vector<uint8_t> bcdLittleEndian(long long value, int bytes)
{
    std::vector<uint8_t> out;
    for (int i = 0; i < bytes; ++i) {
        const int pair = static_cast<int>(value % 100);
        out.push_back(static_cast<uint8_t>((pair / 10) << 4 | (pair % 10)));
        value /= 100;
    }
    return out;
}

long long fromBcdLittleEndian(std::span<const uint8_t> bytes)
{
    long long value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = value * 100 + (bytes[i] >> 4) * 10 + (bytes[i] & 15);
    return value;
}

}  // namespace vexa::test
