// The serial link to the transceiver: a termios device opened non-blocking, a reader thread
// that waits in poll() and gathers every received byte into the receive ring, bounded
// writes for the protocol blocks, and the RTS/DTR lines that key the transmitter.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "rig/reader_channel.h"

namespace vexa::rig {

struct SerialSettings {
    int port = 0;        // the COM number the settings know it by (shown by the hex monitor)
    std::string device;  // its device path (serial_device.h maps the number to it)
    int baudRate = 1200;
    int byteSize = 8;
    int parity = 0;    // 0 none, 1 odd, 2 even
    int stopBits = 0;  // as the profile counts them: 0 one stop bit, 2 two
    bool dsrFlow = false;
    bool ctsFlow = false;
    bool xonXoff = false;
};

class SerialChannel final : public ReaderChannel {
public:
    enum OpenResult : int {
        kOpened = 0,
        kNoStopEvent = 1,  // the reader thread's wake-up pipe could not be made
        kPortNotOpened = 3,
        kThreadNotStarted = 4,
        kSettingsRefused = 5,
    };
    enum CloseResult : int { kClosed = 0, kNotOpen = 6 };
    static constexpr int kMaxReadBytes = 1023;

    ~SerialChannel() override;

    // GUI thread. Opens the device raw with the given line settings, starts the reader and
    // leaves RTS and DTR cleared, so the transmitter is not keyed. Only a successful Open
    // changes settings(). Line ioctls a device does not support (a pty) are not an error.
    [[nodiscard]] int Open(const SerialSettings& settings);
    // GUI thread: ends the reader thread, unkeys both lines and closes the device. Also
    // cleans up after a lost device.
    int Close();

    bool isOpen() const override { return m_state.load() > 0; }
    bool Write(std::span<const uint8_t> bytes) override;
    bool TakeLost() override;
    bool SetModemLine(ModemLine line, bool on) override;
    int baudRate() const override { return m_settings.baudRate; }
    std::string describe() const override { return m_settings.device; }

    // -1 closed; the port number while open; 0 after the reader thread has ended.
    int state() const noexcept { return m_state.load(); }
    const SerialSettings& settings() const noexcept { return m_settings; }

private:
    void readerLoop();
    void releaseDevice();

    SerialSettings m_settings;
    std::atomic<int> m_state{-1};
    int m_fd = -1;
    int m_stopPipe[2] = {-1, -1};
    std::thread m_reader;
    std::atomic<bool> m_lost{false};
    std::mutex m_writeLock;  // CAT PTT may write from the transmit path's thread
};

}  // namespace vexa::rig
