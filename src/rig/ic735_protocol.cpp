#include "rig/ic735_protocol.h"

namespace vexa::rig {
namespace {

CommandBlock civ(std::initializer_list<uint8_t> body)
{
    CommandBlock b;
    b.pauseAt1200 = Ic735Protocol::kPause;
    b.bytes.reserve(body.size() + 5);
    for (const uint8_t x : {uint8_t{0xFE}, uint8_t{0xFE}, kCivTransceiver, kCivController})
        b.bytes.push_back(x);
    for (const uint8_t x : body) b.bytes.push_back(x);
    b.bytes.push_back(0xFD);
    return b;
}

}  // namespace

Commands Ic735Protocol::tune(long long dialHz)
{
    // A zero dial is no frequency at all; the radio still gets its pause.
    if (dialHz <= 0 || dialHz > 99999999) return {CommandBlock{{}, kPause}};
    CommandBlock b = civ({0x05});
    b.bytes.pop_back();
    long long rest = dialHz;
    for (int i = 0; i < 4; ++i) {
        const int pair = static_cast<int>(rest % 100);
        b.bytes.push_back(static_cast<uint8_t>((pair / 10) << 4 | (pair % 10)));
        rest /= 100;
    }
    b.bytes.push_back(0xFD);
    return {b};
}

Commands Ic735Protocol::poll()
{
    return {civ({0x03}), civ({0x04})};
}

std::optional<Commands> Ic735Protocol::setMode(RadioMode mode)
{
    // LSB, USB, AM, CW, FM; the radio has no RTTY mode.
    static constexpr PerRadioMode<int> kModeCodes = {0x00, 0x01, 0x02, 0x03, 0x05, -1};
    const int code = forMode(kModeCodes, mode);
    if (code < 0) return std::nullopt;
    return Commands{civ({0x06, static_cast<uint8_t>(code)})};
}

Commands Ic735Protocol::selectVfo(int vfo)
{
    if (vfo < 0) return {civ({0x07})};
    return {civ({0x07, static_cast<uint8_t>(vfo)})};
}

void Ic735Protocol::receive(std::span<const uint8_t> bytes, ProtocolSink& sink)
{
    for (const uint8_t b : bytes)
        m_parser.feed(b, [&](std::span<const uint8_t> f) { FrameDispatcher(f, sink); });
}

}  // namespace vexa::rig
