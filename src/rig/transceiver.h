// The transceiver as the rest of Vexa drives it: tuning, polling, mode and VFO commands and
// PTT over the link of the chosen type, paced by the scheduler instead of sleeps, and the
// radio's reports turned into the dial frequency and the operating mode. GUI thread, except
// SetPtt, which the transmit path may call from its own.
#pragma once

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

#include "common/scheduler.h"
#include "rig/byte_channel.h"
#include "rig/hex_monitor.h"
#include "rig/transceiver_host.h"
#include "rig/transceiver_port.h"
#include "rig/transceiver_protocol.h"

namespace vexa::rig {

struct TransceiverSettings {
    TransceiverType type = TransceiverType::None;
    int digiSide = 0;                // 0: the digital modes on USB, 1: on LSB
    PttMethod ptt = PttMethod::Rts;  // Dtr with "SwapPttAndCw"
};

class Transceiver final : public TransceiverPort, private ProtocolSink {
public:
    static constexpr int kDefaultDialHz = 14071000;
    static constexpr int kPollIntervalMs = 1000;

    Transceiver(TransceiverHost& host, Scheduler& scheduler);
    ~Transceiver() override;
    Transceiver(const Transceiver&) = delete;
    Transceiver& operator=(const Transceiver&) = delete;

    void configure(const TransceiverSettings& settings);
    const TransceiverSettings& settings() const noexcept { return m_settings; }
    // The link commands go through (it must outlive the Transceiver or be replaced first);
    // port is the COM number the hex monitor shows. Null: no link.
    void setChannel(ByteChannel* channel, int port);
    // The channel while it is open; commands do nothing without one.
    ByteChannel* activeChannel() const;

    int dialFrequency() const noexcept { return m_dialHz; }
    void setDialFrequency(int hz) noexcept { m_dialHz = hz; }
    int GetSignalFrequency() const;

    // Tunes so that the signal lies at `signalHz`, and shows the new frequency.
    void TuneTransceiver(int signalHz);
    void PollTransceiver();
    // Rewrites the frequency fields from the dial frequency.
    void ShowFrequency() { m_host.ShowFrequency(); }
    // Codes 0 LSB, 1 USB, 2 AM, 3 CW, 4 digital (USB or LSB by "DigiSide"), 5 FM.
    void SetTransceiverMode(int code) override;
    // False when the radio has no such mode (RTTY on the IC-735) or there is no link.
    bool SetRadioMode(RadioMode mode);
    void SelectVfo(int vfo);
    void SetPtt(bool on) override;

    // The channel's notification, on the GUI thread.
    void ComHandler();
    void setHexMonitor(bool on) noexcept { m_hexMonitor = on; }

    // For tools and tests: nothing waiting to be sent or paced.
    bool idle() const noexcept { return m_queue.empty() && !m_pacing; }
    int frequencyReports() const noexcept { return m_frequencyReports; }
    int refusals() const noexcept { return m_refusals; }

private:
    void frequencyReported(long long hz) override;
    void modeReported(RadioMode mode, ModeReport how) override;
    void print(std::string_view text) override;
    void refused(int code) override;

    void enqueue(Commands commands);
    void sendNext();
    void schedulePoll();
    void pollTick();
    // Runs step(*this) after ms milliseconds, unless this Transceiver is gone by then.
    void afterDelay(int ms, void (*step)(Transceiver&));

    TransceiverHost& m_host;
    Scheduler& m_scheduler;
    TransceiverSettings m_settings;
    std::unique_ptr<TransceiverProtocol> m_protocol;
    std::atomic<ByteChannel*> m_channel{nullptr};
    int m_port = 0;
    int m_dialHz = kDefaultDialHz;
    bool m_hexMonitor = false;
    HexMonitor m_hex;
    std::deque<CommandBlock> m_queue;
    bool m_pacing = false;
    bool m_pollScheduled = false;
    bool m_linkWasLost = false;
    int m_frequencyReports = 0;
    int m_refusals = 0;
    std::mutex m_pttLock;
    // Deferred calls check this, so none runs after the Transceiver is gone.
    std::shared_ptr<Transceiver*> m_alive;
};

}  // namespace vexa::rig
