#include "rig/ts850_protocol.h"

#include <cstdio>

namespace vexa::rig {
namespace {

constexpr int kReadPause = 100;  // ms after a command
constexpr int kTunePause = 200;

}  // namespace

Commands Ts850Protocol::tune(long long dialHz)
{
    if (dialHz < 0 || dialHz > 99999999999LL) return {};
    char text[16];
    std::snprintf(text, sizeof text, "FA%011lld;", dialHz);
    return {CommandBlock::text(text, kTunePause)};
}

Commands Ts850Protocol::poll()
{
    return {CommandBlock::text("IF;", kReadPause)};
}

std::optional<Commands> Ts850Protocol::setMode(RadioMode mode)
{
    // LSB, USB, AM, CW, FM, and FSK for RTTY.
    static constexpr PerRadioMode<const char*> kModeCommands = {"MD1;", "MD2;", "MD5;",
                                                                "MD3;", "MD4;", "MD6;"};
    return Commands{CommandBlock::text(forMode(kModeCommands, mode), kReadPause)};
}

Commands Ts850Protocol::catPtt(bool on)
{
    return {CommandBlock::text(on ? "TX;" : "RX;", kReadPause)};
}

void Ts850Protocol::interpret(std::string_view replies, ProtocolSink& sink)
{
    // "FA" + 11 digits + ";" or "IF" + 11 digits + the rest of the status + ";". A reply
    // whose frequency is not all digits is garbled: show it, never tune by it.
    std::size_t start = 0;
    for (std::size_t end; (end = replies.find(';', start)) != std::string_view::npos; start = end + 1) {
        const std::string reply(replies.substr(start, end - start));
        const bool fa = reply.size() == 13 && reply.compare(0, 2, "FA") == 0;
        const bool info = reply.size() >= 13 && reply.compare(0, 2, "IF") == 0;
        if (!fa && !info) continue;
        long long hz = 0;
        bool digits = true;
        for (std::size_t i = 2; i < 13; ++i) {
            const char c = reply[i];
            digits = digits && c >= '0' && c <= '9';
            hz = hz * 10 + (c - '0');
        }
        if (digits) {
            sink.frequencyReported(hz);
        } else {
            std::string text = "\r\n";
            char hex[4];
            for (const char c : reply + ";") {
                std::snprintf(hex, sizeof hex, " %02x", static_cast<unsigned char>(c));
                text += hex;
            }
            sink.print(text);
        }
    }
}

}  // namespace vexa::rig
