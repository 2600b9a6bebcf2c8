// vexa-rig: Vexa's transceiver code on the command line, to check the radio link before
// operating and for scripts — tune, set the mode, read the frequency, key, or watch.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "rig/event_loop.h"
#include "rig/rigctld_channel.h"
#include "rig/serial_channel.h"
#include "rig/transceiver.h"
#include "rig_options.h"

namespace {

using namespace std::chrono_literals;
using vexa::rig::RadioMode;
using vexa::tools::RigCommand;
using vexa::tools::RigOptions;

volatile std::sig_atomic_t g_interrupted = 0;

void onSignal(int)
{
    g_interrupted = 1;
}

// The window's part, for a terminal: reports go to standard output in monitor mode, the
// alert line to standard error. The operating mode is USB, so the dial is the frequency.
class TerminalHost final : public vexa::rig::TransceiverHost {
public:
    bool printReports = false;
    int shownHz = -1;
    const vexa::rig::Transceiver* trx = nullptr;

    vexa::OperatingMode operatingMode() const override { return m_mode; }
    double carrierAudioHz() const override { return 0.0; }
    void storeOperatingMode(vexa::OperatingMode mode, bool) override
    {
        m_mode = mode;
        const std::string_view name = vexa::modeName(mode);
        if (printReports) std::printf("mode %.*s\n", static_cast<int>(name.size()), name.data());
        std::fflush(stdout);
    }
    void ShowFrequency() override
    {
        const int hz = trx != nullptr ? trx->dialFrequency() : 0;
        if (printReports && hz != shownHz) std::printf("frequency %d\n", hz);
        shownHz = hz;
        std::fflush(stdout);
    }
    void AppendToEntryLine(std::string_view text) override
    {
        while (text.size() >= 2 && text.substr(0, 2) == "\r\n") text.remove_prefix(2);
        if (printReports)
            std::printf("frame %.*s\n", static_cast<int>(text.size()), text.data());
        else
            std::fprintf(stderr, "vexa-rig: %.*s\n", static_cast<int>(text.size()), text.data());
        std::fflush(stdout);
    }
    void alert(std::string_view text) override
    {
        std::fprintf(stderr, "vexa-rig: %.*s\n", static_cast<int>(text.size()), text.data());
    }

private:
    vexa::OperatingMode m_mode = vexa::OperatingMode::Usb;
};

class Session {
public:
    explicit Session(const RigOptions& o) : m_options(o)
    {
        m_host.trx = &m_trx;
        m_trx.configure({o.type, 0, o.ptt});
    }

    int run()
    {
        if (!open()) return 1;
        switch (m_options.command) {
            case RigCommand::Freq:
                m_trx.TuneTransceiver(static_cast<int>(m_options.hz));
                return confirm(m_options.hz);
            case RigCommand::Mode:
                if (!m_trx.SetRadioMode(m_options.mode)) {
                    std::fprintf(stderr, "vexa-rig: the %s cannot be set to that mode\n",
                                 m_options.typeName.c_str());
                    return 1;
                }
                return confirm(0);
            case RigCommand::GetFreq:
                if (confirm(0) != 0) return 1;
                std::printf("%d\n", m_trx.dialFrequency());
                return 0;
            case RigCommand::Ptt:
                return ptt();
            case RigCommand::Monitor:
                return monitor();
        }
        return 2;
    }

private:
    vexa::rig::ByteChannel& channel()
    {
        return m_options.type == vexa::rig::TransceiverType::Hamlib
                   ? static_cast<vexa::rig::ByteChannel&>(m_tcp)
                   : m_serial;
    }

    bool open()
    {
        channel().SetWake([this] { m_loop.post([this] { m_trx.ComHandler(); }); });
        if (m_options.type == vexa::rig::TransceiverType::Hamlib) {
            const auto address = vexa::rig::parseRigctldAddress(m_options.device);
            if (!address) {
                std::fprintf(stderr, "vexa-rig: bad rigctld address '%s'\n", m_options.device.c_str());
                return false;
            }
            m_trx.setChannel(&m_tcp, 0);
            // On connecting the Transceiver asks for frequency and mode; their answers come
            // first, before those of the command.
            if (!m_tcp.Open(*address) ||
                !waitFor([&] { return m_tcp.isOpen() && m_trx.frequencyReports() > 0; })) {
                std::fprintf(stderr, "vexa-rig: no rigctld answers at %s\n", m_tcp.describe().c_str());
                return false;
            }
            return true;
        }
        vexa::rig::SerialSettings s;
        s.port = 1;
        s.device = m_options.device;
        s.baudRate = m_options.baud;
        // The FT-990 and the TS-850 want two stop bits.
        s.stopBits = m_options.type == vexa::rig::TransceiverType::Ic735 ? 0 : 2;
        const int result = m_serial.Open(s);
        if (result != vexa::rig::SerialChannel::kOpened) {
            const char* why = result == vexa::rig::SerialChannel::kSettingsRefused
                                  ? "the line settings were refused"
                              : result == vexa::rig::SerialChannel::kPortNotOpened ? "cannot open the device"
                                                                                   : "cannot start reading";
            std::fprintf(stderr, "vexa-rig: %s: %s\n", m_options.device.c_str(), why);
            return false;
        }
        m_trx.setChannel(&m_serial, 1);
        return true;
    }

    template <typename Done>
    bool waitFor(Done done, std::chrono::milliseconds timeout = 5s)
    {
        const auto until = std::chrono::steady_clock::now() + timeout;
        while (!g_interrupted && std::chrono::steady_clock::now() < until) {
            if (m_loop.runUntil(done, 100ms)) return true;
        }
        return false;
    }

    // Asks the radio what it now does: an answer proves the link, a frequency other than the
    // one asked for (beyond the 10 Hz steps of some radios) is a refusal.
    int confirm(long long wantHz)
    {
        waitFor([&] { return m_trx.idle(); });
        const int before = m_trx.frequencyReports();
        m_trx.PollTransceiver();
        if (!waitFor([&] { return m_trx.frequencyReports() > before && m_trx.idle(); })) {
            std::fprintf(stderr, "vexa-rig: no answer from the %s at %s within 5 s\n",
                         m_options.typeName.c_str(), channel().describe().c_str());
            return 1;
        }
        if (m_trx.refusals() > 0) {
            std::fprintf(stderr, "vexa-rig: the radio refused the command\n");
            return 1;
        }
        if (wantHz > 0 && std::llabs(m_trx.dialFrequency() - wantHz) >= 10) {
            std::fprintf(stderr, "vexa-rig: the radio stays on %d Hz\n", m_trx.dialFrequency());
            return 1;
        }
        return 0;
    }

    int ptt()
    {
        m_trx.SetPtt(m_options.pttOn);
        if (m_options.ptt == vexa::rig::PttMethod::Cat) {
            if (m_options.type == vexa::rig::TransceiverType::Hamlib) return confirm(0);
            waitFor([&] { return m_trx.idle(); }, 300ms);
            return 0;
        }
        // A key line drops when the port closes, so an "on" lasts as long as vexa-rig runs.
        if (m_options.pttOn) {
            std::fprintf(stderr, "vexa-rig: transmitter keyed on %s until interrupted\n",
                         m_options.ptt == vexa::rig::PttMethod::Rts ? "RTS" : "DTR");
            while (!g_interrupted && m_serial.isOpen()) m_loop.runFor(100ms);
            m_trx.SetPtt(false);
        }
        return 0;
    }

    int monitor()
    {
        m_host.printReports = true;
        m_host.shownHz = -1;  // the first report is printed even when already known
        m_trx.PollTransceiver();
        while (!g_interrupted) m_loop.runFor(100ms);
        return 0;
    }

    RigOptions m_options;
    vexa::rig::EventLoop m_loop;
    TerminalHost m_host;
    vexa::rig::SerialChannel m_serial;
    vexa::rig::RigctldChannel m_tcp;
    vexa::rig::Transceiver m_trx{m_host, m_loop};
};

}  // namespace

int main(int argc, char** argv)
{
    const auto parsed = vexa::tools::parseRigOptions(argc, argv);
    if (!parsed.options) {
        if (parsed.status == 0) {
            std::fputs(vexa::tools::kRigUsage, stdout);
            return 0;
        }
        std::fprintf(stderr, "vexa-rig: %s\n", parsed.message.c_str());
        if (parsed.status == 2) std::fputs(vexa::tools::kRigUsage, stderr);
        return parsed.status;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
    Session session(*parsed.options);
    return session.run();
}
