#include "rig/civ_parser.h"

#include <cstdio>
#include <optional>
#include <string>

namespace vexa::rig {
namespace {

constexpr uint8_t kPreamble = 0xFE;
constexpr uint8_t kEnd = 0xFD;
constexpr uint8_t kNotGood = 0xFA;

std::optional<RadioMode> civMode(uint8_t b)
{
    switch (b) {
        case 0x00:
            return RadioMode::Lsb;
        case 0x01:
            return RadioMode::Usb;
        case 0x02:
            return RadioMode::Am;
        case 0x03:
            return RadioMode::Cw;
        case 0x05:
            return RadioMode::Fm;
        default:
            return std::nullopt;
    }
}

void printFrame(std::span<const uint8_t> frame, ProtocolSink& sink)
{
    std::string text = "\r\n";
    char hex[3];
    for (const uint8_t b : frame) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        text += hex;
    }
    sink.print(text);
}

}  // namespace

void CivParser::feed(uint8_t byte, const FrameHandler& onFrame)
{
    switch (m_state) {
        case State::Start:
            m_state = State::Hunt;
            break;
        case State::Hunt:
            if (byte == kPreamble) m_state = State::Preamble;
            break;
        case State::Preamble:
            if (byte != kPreamble) {
                m_frame.assign(1, byte);
                m_state = State::Collect;
            }
            break;
        case State::Collect:
            if (byte == kEnd) {
                m_state = State::Hunt;
                onFrame(m_frame);
            } else {
                m_frame.push_back(byte);
            }
            break;
    }
}

long long decodeCivFrequency(std::span<const uint8_t> frame)
{
    long long hz = 0;
    long long scale = 1;
    for (std::size_t i = 3; i < frame.size(); ++i) {
        hz += ((frame[i] & 0x0F) + 10 * (frame[i] >> 4)) * scale;
        scale *= 100;
    }
    return hz;
}

void FrameDispatcher(std::span<const uint8_t> frame, ProtocolSink& sink)
{
    const uint8_t to = frame.size() > 0 ? frame[0] : 0;
    const uint8_t from = frame.size() > 1 ? frame[1] : 0;
    const uint8_t command = frame.size() > 2 ? frame[2] : 0;
    const bool fromOurRadio = from == kCivTransceiver;

    if (to == kCivBroadcast && fromOurRadio) {
        if (command == 0x00) sink.frequencyReported(decodeCivFrequency(frame));
        if (command == 0x01 && frame.size() > 3)
            if (const auto m = civMode(frame[3])) sink.modeReported(*m, ModeReport::Broadcast);
        return;
    }
    if (to == kCivTransceiver && from == kCivController) return;  // our own command on the bus
    if (to == kCivController && fromOurRadio && command != kNotGood) {
        if (command == 0x03) sink.frequencyReported(decodeCivFrequency(frame));
        if (command == 0x04 && frame.size() > 3)
            if (const auto m = civMode(frame[3])) sink.modeReported(*m, ModeReport::Reply);
        return;
    }
    printFrame(frame, sink);
}

}  // namespace vexa::rig
