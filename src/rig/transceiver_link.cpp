#include "rig/transceiver_link.h"

namespace vexa::rig {

ByteChannel* TransceiverLink::open(const LinkSettings& s, std::function<void()> wake)
{
    close();
    m_error.clear();
    if (s.type == TransceiverType::Hamlib) {
        const auto address = parseRigctldAddress(s.rigctld);
        if (!address) {
            m_error = "bad rigctld address \"" + s.rigctld + "\"";
            return nullptr;
        }
        m_rigctld.SetWake(std::move(wake));
        if (!m_rigctld.Open(*address)) {
            m_error = "cannot start the rigctld connection";
            return nullptr;
        }
        return m_channel = &m_rigctld;
    }
    // A COM port without a transceiver type still keys PTT.
    if (s.comPort <= 0 || s.comDevice.empty()) return nullptr;
    SerialSettings serial;
    serial.port = s.comPort;
    serial.device = s.comDevice;
    serial.baudRate = s.comSpeed;
    const bool twoStopBits = s.type == TransceiverType::Ft990 ||
                             (s.type == TransceiverType::Ts850 && s.stopBits == StopBitsRule::StartUp);
    serial.stopBits = twoStopBits ? 2 : 0;
    m_serial.SetWake(std::move(wake));
    switch (m_serial.Open(serial)) {
        case SerialChannel::kOpened:
            return m_channel = &m_serial;
        case SerialChannel::kPortNotOpened:
            m_error = "cannot open " + s.comDevice;
            break;
        case SerialChannel::kSettingsRefused:
            m_error = s.comDevice + " refuses the line settings";
            break;
        default:
            m_error = "cannot read from " + s.comDevice;
            break;
    }
    return nullptr;
}

void TransceiverLink::close()
{
    m_serial.Close();
    m_rigctld.Close();
    m_channel = nullptr;
}

}  // namespace vexa::rig
