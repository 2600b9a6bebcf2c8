#include "rig/hamlib_protocol.h"

#include <cstdlib>

namespace vexa::rig {
namespace {

bool isNumber(const std::string& s)
{
    if (s.empty()) return false;
    char* end = nullptr;
    std::strtod(s.c_str(), &end);
    return end != nullptr && *end == '\0';
}

// rigctld's mode names, and the packet and reverse variants that read as the same mode.
constexpr PerRadioMode<const char*> kModeNames = {"LSB", "USB", "AM", "CW", "FM", "RTTY"};
constexpr PerRadioMode<const char*> kOtherModeNames = {"PKTLSB", "PKTUSB", "PKTAM", "CWR", "PKTFM", "RTTYR"};

}  // namespace

const char* hamlibModeName(RadioMode mode)
{
    return forMode(kModeNames, mode);
}

std::optional<RadioMode> hamlibMode(const std::string& name)
{
    for (const RadioMode mode :
         {RadioMode::Lsb, RadioMode::Usb, RadioMode::Am, RadioMode::Cw, RadioMode::Fm, RadioMode::Rtty}) {
        if (name == forMode(kModeNames, mode) || name == forMode(kOtherModeNames, mode)) return mode;
    }
    return std::nullopt;
}

Commands HamlibProtocol::tune(long long dialHz)
{
    if (dialHz <= 0) return {};
    return {CommandBlock::text("F " + std::to_string(dialHz) + "\n", 0)};
}

Commands HamlibProtocol::poll()
{
    return {CommandBlock::text("f\n", 0), CommandBlock::text("m\n", 0)};
}

Commands HamlibProtocol::periodicPoll()
{
    return {CommandBlock::text("f\n", 0)};
}

std::optional<Commands> HamlibProtocol::setMode(RadioMode mode)
{
    // Passband 0: the radio's normal width for the mode.
    return Commands{CommandBlock::text(std::string("M ") + hamlibModeName(mode) + " 0\n", 0)};
}

Commands HamlibProtocol::selectVfo(int vfo)
{
    if (vfo < 0) return {};
    return {CommandBlock::text(vfo == 0 ? "V VFOA\n" : "V VFOB\n", 0)};
}

Commands HamlibProtocol::catPtt(bool on)
{
    return {CommandBlock::text(on ? "T 1\n" : "T 0\n", 0)};
}

void HamlibProtocol::receive(std::span<const uint8_t> bytes, ProtocolSink& sink)
{
    for (const uint8_t b : bytes) {
        if (b == '\n') {
            if (!m_partial.empty() && m_partial.back() == '\r') m_partial.pop_back();
            line(m_partial, sink);
            m_partial.clear();
        } else if (m_partial.size() < 256) {
            m_partial.push_back(static_cast<char>(b));
        }
    }
}

void HamlibProtocol::line(const std::string& text, ProtocolSink& sink)
{
    if (text.rfind("RPRT ", 0) == 0) {
        m_passbandNext = false;
        const int code = std::atoi(text.c_str() + 5);
        if (code != 0) sink.refused(code);
        return;
    }
    if (isNumber(text)) {
        if (m_passbandNext)
            m_passbandNext = false;
        else
            sink.frequencyReported(std::atoll(text.c_str()));
        return;
    }
    if (const auto mode = hamlibMode(text)) {
        m_passbandNext = true;
        // Like a CI-V broadcast: a digital mode keeps running on the side band rigctld reports.
        sink.modeReported(*mode, ModeReport::Broadcast);
        return;
    }
    if (!text.empty()) sink.print("\r\n" + text);
}

void HamlibProtocol::interpretReplies(ProtocolSink& sink)
{
    (void)sink;  // replies are read as their lines arrive
}

void HamlibProtocol::reset()
{
    m_partial.clear();
    m_passbandNext = false;
}

}  // namespace vexa::rig
