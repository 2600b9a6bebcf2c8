#include "rig/serial_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <system_error>

namespace vexa::rig {
namespace {

std::optional<speed_t> speedCode(int baud)
{
    switch (baud) {
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return std::nullopt;
    }
}

bool applyLineSettings(int fd, const SerialSettings& s)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    const auto speed = speedCode(s.baudRate);
    if (!speed) return false;
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, *speed);
    ::cfsetospeed(&t, *speed);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= (s.byteSize == 7 ? CS7 : CS8) | CLOCAL | CREAD;
    if (s.parity == 1) t.c_cflag |= PARENB | PARODD;
    if (s.parity == 2) t.c_cflag |= PARENB;
    if (s.stopBits == 2) t.c_cflag |= CSTOPB;
    if (s.ctsFlow) t.c_cflag |= CRTSCTS;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (s.xonXoff) t.c_iflag |= IXON | IXOFF;
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

void closeFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

SerialChannel::~SerialChannel()
{
    Close();
}

int SerialChannel::Open(const SerialSettings& settings)
{
    Close();
    clearReceived();
    m_state = -1;
    m_lost = false;

    if (::pipe2(m_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return kNoStopEvent;
    m_fd = ::open(settings.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        releaseDevice();
        return kPortNotOpened;
    }
    // Not shared: a second program writing to the radio would garble both.
    (void)::ioctl(m_fd, TIOCEXCL);
    ::tcflush(m_fd, TCIOFLUSH);
    if (!applyLineSettings(m_fd, settings)) {
        releaseDevice();
        return kSettingsRefused;
    }

    m_state = settings.port > 0 ? settings.port : 1;
    try {
        m_reader = std::thread([this] { readerLoop(); });
    } catch (const std::system_error&) {
        m_state = -1;
        releaseDevice();
        return kThreadNotStarted;
    }
    SetModemLine(ModemLine::Rts, false);
    SetModemLine(ModemLine::Dtr, false);
    m_settings = settings;
    return kOpened;
}

int SerialChannel::Close()
{
    if (m_fd < 0) return kNotOpen;
    m_state = -1;
    const char stop = 1;
    (void)!::write(m_stopPipe[1], &stop, 1);
    if (m_reader.joinable()) m_reader.join();
    // Both lines down: a channel closed in the middle of a transmission must not leave the
    // transmitter keyed.
    // What was written still goes out: a CAT "unkey" just before closing must reach the radio.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    int pending = 0;
    while (::ioctl(m_fd, TIOCOUTQ, &pending) == 0 && pending > 0 && std::chrono::steady_clock::now() < until)
        ::usleep(2000);
    SetModemLine(ModemLine::Rts, false);
    SetModemLine(ModemLine::Dtr, false);
    // Only the input is purged: purging the output would discard what a pseudo-terminal's
    // far side (a network serial bridge, a simulator) has not read yet.
    ::tcflush(m_fd, TCIFLUSH);
    releaseDevice();
    return kClosed;
}

void SerialChannel::releaseDevice()
{
    std::lock_guard lock(m_writeLock);
    closeFd(m_fd);
    closeFd(m_stopPipe[0]);
    closeFd(m_stopPipe[1]);
}

void SerialChannel::readerLoop()
{
    uint8_t buffer[kMaxReadBytes + 1];
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    while (m_state.load() > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents != 0) break;
        if (fds[0].revents == 0) continue;
        bool received = false;
        bool lost = (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
        // Drain the driver's queue before telling the GUI thread, so a burst is announced once.
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, kMaxReadBytes);
            if (n > 0) {
                store({buffer, static_cast<std::size_t>(n)});
                received = true;
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            // A raw tty with VMIN = VTIME = 0 reads 0 when its queue is empty; only poll's
            // hang-up or an I/O error says the device has gone (a USB adapter pulled).
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) lost = true;
            break;
        }
        if (received) wake(false);
        if (lost) {
            m_lost = true;
            int open = m_state.load();
            if (open > 0) m_state.compare_exchange_strong(open, 0);
            wake(true);
            return;
        }
    }
    int open = m_state.load();
    if (open > 0) m_state.compare_exchange_strong(open, 0);
}

bool SerialChannel::TakeLost()
{
    return m_lost.exchange(false);
}

bool SerialChannel::Write(std::span<const uint8_t> bytes)
{
    std::lock_guard lock(m_writeLock);
    if (m_fd < 0 || m_state.load() <= 0) return false;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{m_fd, POLLOUT, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return false;
    }
    return true;
}

bool SerialChannel::SetModemLine(ModemLine line, bool on)
{
    std::lock_guard lock(m_writeLock);
    if (m_fd < 0) return false;
    int bits = line == ModemLine::Rts ? TIOCM_RTS : TIOCM_DTR;
    return ::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0;
}

}  // namespace vexa::rig
