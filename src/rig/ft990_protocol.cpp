#include "rig/ft990_protocol.h"

namespace vexa::rig {
namespace {

CommandBlock block(uint8_t p1, uint8_t p2, uint8_t p3, uint8_t p4, uint8_t opcode)
{
    return {{p1, p2, p3, p4, opcode}, Ft990Protocol::kPause};
}

constexpr uint8_t kSetFrequency = 0x0A;
constexpr uint8_t kSelectVfo = 0x05;
constexpr uint8_t kSetMode = 0x0C;
constexpr uint8_t kPtt = 0x0F;
constexpr uint8_t kStatus = 0x10;
constexpr std::size_t kShortestStatus = 11;

}  // namespace

Commands Ft990Protocol::tune(long long dialHz)
{
    // The radio takes tens of hertz, eight BCD digits, least significant pair first.
    if (dialHz <= 0 || dialHz > 999999999) return {};
    uint8_t pairs[4];
    long long rest = dialHz / 10;
    for (uint8_t& p : pairs) {
        const int pair = static_cast<int>(rest % 100);
        p = static_cast<uint8_t>((pair / 10) << 4 | (pair % 10));
        rest /= 100;
    }
    return {block(pairs[0], pairs[1], pairs[2], pairs[3], kSetFrequency)};
}

Commands Ft990Protocol::poll()
{
    return {block(0, 0, 0, 0x02, kStatus)};
}

std::optional<Commands> Ft990Protocol::setMode(RadioMode mode)
{
    uint8_t code = 0;
    switch (mode) {
        case RadioMode::Lsb:
            code = 0x00;
            break;
        case RadioMode::Usb:
            code = 0x01;
            break;
        case RadioMode::Cw:
            code = 0x02;
            break;
        case RadioMode::Am:
            code = 0x04;
            break;
        case RadioMode::Fm:
            code = 0x06;
            break;
        case RadioMode::Rtty:
            code = 0x08;
            break;  // RTTY on LSB
    }
    return Commands{block(0, 0, 0, code, kSetMode)};
}

Commands Ft990Protocol::selectVfo(int vfo)
{
    if (vfo < 0) return {};
    return {block(0, 0, 0, static_cast<uint8_t>(vfo), kSelectVfo)};
}

Commands Ft990Protocol::catPtt(bool on)
{
    return {block(0, 0, 0, on ? 1 : 0, kPtt)};
}

void Ft990Protocol::receive(std::span<const uint8_t> bytes, ProtocolSink& sink)
{
    (void)sink;
    m_reply.insert(m_reply.end(), bytes.begin(), bytes.end());
}

void Ft990Protocol::interpretReplies(ProtocolSink& sink)
{
    if (m_reply.size() >= kShortestStatus) {
        const long long tens = (static_cast<long long>(m_reply[1]) << 16) | (m_reply[2] << 8) | m_reply[3];
        sink.frequencyReported(tens * 10);
    }
    m_reply.clear();
}

}  // namespace vexa::rig
