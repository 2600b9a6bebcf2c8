#include "rig/hex_monitor.h"

#include <cstdio>

namespace vexa::rig {

std::string HexMonitor::format(int port, std::span<const uint8_t> bytes, Clock::time_point now)
{
    if (now - m_last >= kQuiet) m_lastPort = -1;
    m_last = now;
    std::string text;
    if (port != m_lastPort) {
        m_lastPort = port;
        text = "\r\n" + std::to_string(port) + ":";
        m_column = 0;
    }
    char hex[4];
    for (const uint8_t b : bytes) {
        if (m_column == kBytesPerLine) {
            text += "\r\n  ";
            m_column = 0;
        }
        std::snprintf(hex, sizeof hex, " %02x", b);
        text += hex;
        ++m_column;
    }
    return text;
}

}  // namespace vexa::rig
