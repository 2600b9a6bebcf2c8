// A transceiver on the far end of a pseudo-terminal: Vexa opens devicePath() as its serial
// port, the simulator reads what Vexa writes on the master side and answers like a radio.
// One thread per simulator; subclasses answer in onBytes() on that thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vexa::test {

class PtyRadio {
public:
    PtyRadio();
    virtual ~PtyRadio();
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    bool ok() const { return m_master >= 0; }
    const std::string& devicePath() const { return m_path; }

    // Bytes the radio puts on the line, towards Vexa.
    void send(std::span<const uint8_t> bytes);
    void send(std::string_view text) { send({reinterpret_cast<const uint8_t*>(text.data()), text.size()}); }

    // Everything Vexa has written so far.
    std::vector<uint8_t> received() const;
    std::string receivedText() const;
    void clearReceived();
    // Waits until at least `count` bytes have arrived; false after the timeout.
    bool waitForReceived(std::size_t count,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

    // The device disappears, as when a USB adapter is pulled.
    void hangUp();

protected:
    // Starts the simulator's thread; subclasses call it last in their constructor, so that
    // onBytes() never runs on a half-built radio.
    void start();
    // Ends the simulator's thread; subclasses call it in their destructor, before the state
    // onBytes() uses is gone.
    void stop();

    // On the simulator's thread, for every read from the line.
    virtual void onBytes(std::span<const uint8_t> bytes) = 0;
    // Subclasses guard their radio state with this lock.
    mutable std::mutex m_stateLock;
    // A copy of one piece of the radio state, read under the lock; and one written.
    template <class T>
    T locked(const T& field) const
    {
        std::lock_guard lock(m_stateLock);
        return field;
    }
    template <class T>
    void setLocked(T& field, const T& value)
    {
        std::lock_guard lock(m_stateLock);
        field = value;
    }

private:
    void run();

    int m_master = -1;
    int m_slave = -1;  // held open so that Vexa closing its side does not end the simulator
    int m_stop[2] = {-1, -1};
    std::string m_path;
    std::thread m_thread;
    mutable std::mutex m_lock;
    mutable std::condition_variable m_arrived;
    std::vector<uint8_t> m_received;
};

// Packed BCD, least significant pair first: 14070150 -> 50 01 07 14.
std::vector<uint8_t> bcdLittleEndian(long long value, int bytes);
long long fromBcdLittleEndian(std::span<const uint8_t> bytes);

}  // namespace vexa::test
