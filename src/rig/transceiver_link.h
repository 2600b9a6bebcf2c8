// The link the settings ask for: the serial channel on the COM port's device (with the
// stop bits the radio type wants) or the connection to rigctld. The window opens it at
// start and again after the settings sheet; the Transceiver then talks through it.
#pragma once

#include <functional>
#include <string>

#include "rig/rigctld_channel.h"
#include "rig/serial_channel.h"
#include "rig/transceiver_type.h"

namespace vexa::rig {

// Start-up gives the TS-850 two stop bits like the FT-990; a link reopened from the settings
// sheet gives two to the FT-990 only.
enum class StopBitsRule { StartUp, SettingsSheet };

struct LinkSettings {
    TransceiverType type = TransceiverType::None;
    int comPort = 0;        // "TX1"/"ComPort"; 0 = none
    std::string comDevice;  // its device path (serialDevicePath)
    int comSpeed = 1200;    // "TX1"/"ComSpeed"
    std::string rigctld;    // "TX1"/"Rigctld", host:port
    StopBitsRule stopBits = StopBitsRule::StartUp;
};

class TransceiverLink {
public:
    // Closes what was open and opens what `s` names. Null when nothing is to be opened or
    // the opening failed (error() says why); a rigctld link counts as opened while it is
    // still connecting.
    ByteChannel* open(const LinkSettings& s, std::function<void()> wake);
    void close();
    ByteChannel* channel() const noexcept { return m_channel; }
    bool serialOpen() const noexcept { return m_channel == &m_serial; }
    const std::string& error() const noexcept { return m_error; }
    // The serial channel's settings of the last successful open.
    const SerialSettings& serialSettings() const noexcept { return m_serial.settings(); }

private:
    SerialChannel m_serial;
    RigctldChannel m_rigctld;
    ByteChannel* m_channel = nullptr;
    std::string m_error;
};

}  // namespace vexa::rig
