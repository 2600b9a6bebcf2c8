#include "radio_simulators.h"

#include <cstdio>

namespace vexa::test {

void Ic735Radio::turnDial(long long hz)
{
    setFrequency(hz);
    std::vector<uint8_t> f = {0xFE, 0xFE, 0x00, 0x04, 0x00};
    for (uint8_t b : bcdLittleEndian(hz, 4)) f.push_back(b);
    f.push_back(0xFD);
    send(f);
}

void Ic735Radio::pressMode(int civMode)
{
    setLocked(m_mode, civMode);
    send(std::vector<uint8_t>{0xFE, 0xFE, 0x00, 0x04, 0x01, static_cast<uint8_t>(civMode), 0xFD});
}

void Ic735Radio::onBytes(std::span<const uint8_t> bytes)
{
    // One wire for both directions: everything the controller sends comes back to it.
    send(bytes);
    for (uint8_t b : bytes) {
        if (b == 0xFE) {
            m_inFrame = true;
            m_frame.clear();
        } else if (b == 0xFD && m_inFrame) {
            m_inFrame = false;
            frame(m_frame);
        } else if (m_inFrame) {
            m_frame.push_back(b);
        }
    }
}

void Ic735Radio::frame(const std::vector<uint8_t>& f)
{
    if (f.size() < 3 || f[0] != 0x04 || f[1] != 0xE0) return;
    std::vector<uint8_t> reply = {0xFE, 0xFE, 0xE0, 0x04, f[2]};
    std::lock_guard lock(m_stateLock);
    switch (f[2]) {
        case 0x03:
            for (uint8_t b : bcdLittleEndian(m_hz, 4)) reply.push_back(b);
            break;
        case 0x04:
            reply.push_back(static_cast<uint8_t>(m_mode));
            break;
        case 0x05:
            if (f.size() >= 7) m_hz = fromBcdLittleEndian(std::span(f).subspan(3, 4));
            return;
        case 0x06:
            if (f.size() >= 4) m_mode = f[3];
            return;
        case 0x07:
            if (f.size() >= 4) m_vfo = f[3];
            return;
        default:
            reply[4] = 0xFA;  // NG
    }
    reply.push_back(0xFD);
    send(reply);
}

void Ft990Radio::onBytes(std::span<const uint8_t> bytes)
{
    for (uint8_t b : bytes) {
        m_block.push_back(b);
        if (m_block.size() < 5) continue;
        const std::vector<uint8_t> p = m_block;
        m_block.clear();
        std::unique_lock lock(m_stateLock);
        switch (p[4]) {
            case 0x0A:
                m_hz = fromBcdLittleEndian(std::span(p).first(4)) * 10;
                break;
            case 0x0C:
                m_mode = p[3];
                break;
            case 0x0F:
                m_ptt = p[3] != 0;
                break;
            case 0x10: {
                // Operating data: a flag byte, then the frequency / 10 as three bytes, most
                // significant first, then the rest of the record.
                std::vector<uint8_t> status(16, 0);
                const long long tens = m_hz / 10;
                status[1] = static_cast<uint8_t>(tens >> 16);
                status[2] = static_cast<uint8_t>(tens >> 8);
                status[3] = static_cast<uint8_t>(tens);
                lock.unlock();
                send(status);
                break;
            }
            default:
                break;
        }
    }
}

void Ts850Radio::useVfoB(long long hz)
{
    std::lock_guard lock(m_stateLock);
    m_onB = true;
    m_b = hz;
}

void Ts850Radio::onBytes(std::span<const uint8_t> bytes)
{
    for (uint8_t b : bytes) {
        m_command.push_back(static_cast<char>(b));
        if (b != ';') continue;
        const std::string c = m_command;
        m_command.clear();
        command(c);
    }
}

void Ts850Radio::command(const std::string& c)
{
    std::string reply;
    {
        std::lock_guard lock(m_stateLock);
        char digits[40];
        if (c.find_first_of("\r\n") != std::string::npos) {
            reply = "?;";  // the radio knows no line ends
        } else if (c == "FA;" || c == "FB;") {
            std::snprintf(digits, sizeof digits, "%011lld", c[1] == 'A' ? m_a : m_b);
            reply = c.substr(0, 2) + digits + ";";
        } else if (c == "IF;") {
            std::snprintf(digits, sizeof digits, "%011lld", m_onB ? m_b : m_a);
            // frequency, step, RIT, RIT/XIT flags, memory, TX/RX, mode, VFO, scan, split...
            reply = std::string("IF") + digits + "00000+0000000000" + (m_ptt ? "1" : "0") +
                    std::to_string(m_mode) + (m_onB ? "1" : "0") + "0000;";
        } else if (c.size() == 14 && (c.rfind("FA", 0) == 0 || c.rfind("FB", 0) == 0)) {
            (c[1] == 'A' ? m_a : m_b) = std::stoll(c.substr(2, 11));
        } else if (c.size() == 4 && c.rfind("MD", 0) == 0) {
            m_mode = c[2] - '0';
        } else if (c == "TX;" || c == "RX;") {
            m_ptt = c[0] == 'T';
        } else {
            reply = "?;";
        }
        if (!reply.empty() && !m_forcedReply.empty()) reply = m_forcedReply;
    }
    if (!reply.empty()) send(reply);
}

}  // namespace vexa::test
