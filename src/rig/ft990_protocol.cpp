#include "rig/ft990_protocol.h"

namespace vexa::rig {
namespace {

constexpr int kPause = 100;  // ms after each block

CommandBlock block(uint8_t p1, uint8_t p2, uint8_t p3, uint8_t p4, uint8_t opcode)
{
    return {{p1, p2, p3, p4, opcode}, kPause};
}

constexpr uint8_t kSetFrequency = 0x0A;
constexpr uint8_t kSelectVfo = 0x05;
constexpr uint8_t kSetMode = 0x0C;
constexpr uint8_t kPtt = 0x0F;
constexpr uint8_t kStatus = 0x10;
constexpr std::size_t kShortestStatus = 11;
// LSB, USB, AM, CW, FM, and RTTY on LSB.
constexpr PerRadioMode<uint8_t> kModeCodes = {0x00, 0x01, 0x04, 0x02, 0x06, 0x08};

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
    return Commands{block(0, 0, 0, forMode(kModeCodes, mode), kSetMode)};
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

void Ft990Protocol::interpret(std::string_view replies, ProtocolSink& sink)
{
    if (replies.size() < kShortestStatus) return;
    const auto byte = [&](std::size_t i) { return static_cast<long long>(static_cast<uint8_t>(replies[i])); };
    sink.frequencyReported(((byte(1) << 16) | (byte(2) << 8) | byte(3)) * 10);
}

}  // namespace vexa::rig
