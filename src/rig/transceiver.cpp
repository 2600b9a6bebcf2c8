#include "rig/transceiver.h"

#include <climits>
#include <iterator>
#include <string>

#include "common/operating_mode.h"
#include "rig/signal_frequency.h"

namespace vexa::rig {
namespace {

constexpr PerRadioMode<OperatingMode> kOperatingModes = {OperatingMode::Lsb, OperatingMode::Usb,
                                                         OperatingMode::Am,  OperatingMode::Cw,
                                                         OperatingMode::Fm,  OperatingMode::Rtty};

// Modes that run on a side band of the radio: a side-band report must not end them.
bool runsOnSideBand(OperatingMode mode)
{
    return isDemodulatedMode(mode) || mode == OperatingMode::Sstv || mode == OperatingMode::Fax;
}

}  // namespace

Transceiver::Transceiver(TransceiverHost& host, Scheduler& scheduler)
    : m_host(host), m_scheduler(scheduler), m_alive(std::make_shared<Transceiver*>(this))
{
}

Transceiver::~Transceiver()
{
    *m_alive = nullptr;
}

void Transceiver::configure(const TransceiverSettings& settings)
{
    {
        // The transmit path may be keying through the old protocol right now.
        std::lock_guard lock(m_pttLock);
        m_settings = settings;
        m_protocol = makeProtocol(settings.type);
    }
    m_queue.clear();
    schedulePoll();
}

void Transceiver::setChannel(ByteChannel* channel, int port)
{
    {
        std::lock_guard lock(m_pttLock);
        m_channel = channel;
    }
    m_port = port;
    m_queue.clear();
    m_linkWasLost = false;
    if (m_protocol) m_protocol->reset();
    schedulePoll();
}

ByteChannel* Transceiver::activeChannel() const
{
    ByteChannel* c = m_channel.load();
    return c != nullptr && c->isOpen() ? c : nullptr;
}

int Transceiver::GetSignalFrequency() const
{
    return signalFromDial(m_dialHz, m_host.operatingMode(), m_host.carrierAudioHz(), m_settings.digiSide);
}

void Transceiver::TuneTransceiver(int signalHz)
{
    m_dialHz = dialFromSignal(signalHz, m_host.operatingMode(), m_host.carrierAudioHz(), m_settings.digiSide);
    if (m_protocol && activeChannel() != nullptr) enqueue(m_protocol->tune(m_dialHz));
    m_host.resetDrift();
    m_host.ShowFrequency();
}

void Transceiver::PollTransceiver()
{
    if (m_protocol && activeChannel() != nullptr) enqueue(m_protocol->poll());
}

void Transceiver::SetTransceiverMode(int code)
{
    // The dial arithmetic puts a digital signal on the "DigiSide" side band; the radio has
    // to listen on that one too.
    const RadioMode digital = m_settings.digiSide == 0 ? RadioMode::Usb : RadioMode::Lsb;
    const RadioMode byCode[] = {RadioMode::Lsb, RadioMode::Usb, RadioMode::Am,
                                RadioMode::Cw,  digital,        RadioMode::Fm};
    static_assert(kTrxDigital == 4 && kTrxFm == 5);
    if (code >= 0 && code < static_cast<int>(std::size(byCode))) SetRadioMode(byCode[code]);
}

bool Transceiver::SetRadioMode(RadioMode mode)
{
    if (!m_protocol || activeChannel() == nullptr) return false;
    auto commands = m_protocol->setMode(mode);
    if (!commands) return false;
    enqueue(std::move(*commands));
    return true;
}

void Transceiver::SelectVfo(int vfo)
{
    if (m_protocol && activeChannel() != nullptr) enqueue(m_protocol->selectVfo(vfo));
}

void Transceiver::SetPtt(bool on)
{
    // Keying must not wait behind paced commands, and may come from the transmit path's
    // thread: it goes straight to the link, which serialises its own writes.
    std::lock_guard lock(m_pttLock);
    ByteChannel* channel = activeChannel();
    if (channel == nullptr) return;
    switch (m_settings.ptt) {
        case PttMethod::Rts:
            channel->SetModemLine(ModemLine::Rts, on);
            break;
        case PttMethod::Dtr:
            channel->SetModemLine(ModemLine::Dtr, on);
            break;
        case PttMethod::Cat:
            if (m_protocol)
                for (const CommandBlock& b : m_protocol->catPtt(on)) channel->Write(b.bytes);
            break;
    }
}

void Transceiver::ComHandler()
{
    ByteChannel* channel = m_channel.load();
    if (channel == nullptr) return;
    if (channel->TakeLost()) {
        m_linkWasLost = true;
        m_queue.clear();
        m_host.alert("Transceiver link lost: " + channel->describe());
    }
    if (channel->TakeConnected()) {
        if (m_protocol) m_protocol->reset();
        if (m_linkWasLost) m_host.alert("Transceiver link back: " + channel->describe());
        m_linkWasLost = false;
        PollTransceiver();
    }
    const std::vector<uint8_t> bytes = channel->TakeReceived();
    if (m_hexMonitor) {
        const std::string text = m_hex.format(m_port, bytes, HexMonitor::Clock::now());
        if (!text.empty()) m_host.AppendToEntryLine(text);
        return;
    }
    if (m_protocol && !bytes.empty()) m_protocol->receive(bytes, *this);
}

void Transceiver::frequencyReported(long long hz)
{
    if (hz <= 0 || hz > INT_MAX) return;
    m_dialHz = static_cast<int>(hz);
    ++m_frequencyReports;
    m_host.ShowFrequency();
}

void Transceiver::modeReported(RadioMode mode, ModeReport how)
{
    const OperatingMode current = m_host.operatingMode();
    OperatingMode next = forMode(kOperatingModes, mode);
    const bool sideBand = mode == RadioMode::Lsb || mode == RadioMode::Usb;
    if (how == ModeReport::Broadcast && sideBand && runsOnSideBand(current)) next = current;
    if (how == ModeReport::Broadcast && mode == RadioMode::Rtty && isDemodulatedMode(current)) next = current;
    m_host.storeOperatingMode(next, how == ModeReport::Broadcast);
}

void Transceiver::print(std::string_view text)
{
    m_host.AppendToEntryLine(text);
}

void Transceiver::refused(int code)
{
    ++m_refusals;
    m_host.AppendToEntryLine("\r\nThe transceiver refused a command (RPRT " + std::to_string(code) + ")");
}

void Transceiver::enqueue(Commands commands)
{
    for (CommandBlock& b : commands) m_queue.push_back(std::move(b));
    if (!m_pacing) sendNext();
}

void Transceiver::sendNext()
{
    while (!m_queue.empty()) {
        const CommandBlock block = std::move(m_queue.front());
        m_queue.pop_front();
        ByteChannel* channel = activeChannel();
        if (channel == nullptr) {
            m_queue.clear();
            return;
        }
        if (!block.bytes.empty()) channel->Write(block.bytes);
        const int pause = pauseMs(block.pauseAt1200, channel->baudRate());
        if (pause > 0) {
            m_pacing = true;
            afterDelay(pause, [](Transceiver& t) {
                t.m_pacing = false;
                t.sendNext();
            });
            return;
        }
    }
}

void Transceiver::schedulePoll()
{
    if (m_pollScheduled || !m_protocol || !m_protocol->pollsEverySecond() || m_channel.load() == nullptr)
        return;
    m_pollScheduled = true;
    afterDelay(kPollIntervalMs, [](Transceiver& t) {
        t.m_pollScheduled = false;
        t.pollTick();
    });
}

void Transceiver::afterDelay(int ms, void (*step)(Transceiver&))
{
    // The scheduler may run the call after this object is gone.
    m_scheduler.callAfter(ms, [alive = std::weak_ptr<Transceiver*>(m_alive), step] {
        const auto self = alive.lock();
        if (self && *self != nullptr) step(**self);
    });
}

void Transceiver::pollTick()
{
    if (!m_protocol || !m_protocol->pollsEverySecond()) return;
    if (activeChannel() != nullptr) {
        m_protocol->interpretReplies(*this);
        // A radio that has not answered the last poll yet would only be flooded.
        if (m_queue.empty()) enqueue(m_protocol->periodicPoll());
    }
    schedulePoll();
}

}  // namespace vexa::rig
