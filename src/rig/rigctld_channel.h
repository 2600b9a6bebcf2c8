// The TCP link to Hamlib's rigctld. A thread of its own connects, reads the answers into
// the receive ring and, when the daemon goes away, tries again every few seconds, so the
// GUI thread never waits for the network.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "rig/reader_channel.h"

namespace vexa::rig {

struct RigctldAddress {
    std::string host = "localhost";
    int port = 4532;
};

// "host:port", "host", ":port", "[v6addr]:port"; empty text gives localhost:4532.
std::optional<RigctldAddress> parseRigctldAddress(const std::string& text);

class RigctldChannel final : public ReaderChannel {
public:
    static constexpr int kRetryMs = 3000;
    static constexpr int kConnectTimeoutMs = 2000;

    ~RigctldChannel() override;

    // Starts connecting in the background; false only when the thread cannot start.
    bool Open(const RigctldAddress& address);
    void Close();

    bool isOpen() const override { return m_connected.load(); }
    bool Write(std::span<const uint8_t> bytes) override;
    bool TakeLost() override { return m_lost.exchange(false); }
    bool TakeConnected() override { return m_connectedNews.exchange(false); }
    std::string describe() const override;

private:
    void run();
    int connectOnce();
    bool waitStop(int ms);

    RigctldAddress m_address;
    std::thread m_thread;
    int m_stop[2] = {-1, -1};
    std::mutex m_fdLock;
    int m_fd = -1;
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_lost{false};
    std::atomic<bool> m_connectedNews{false};
};

}  // namespace vexa::rig
