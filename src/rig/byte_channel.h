// A link to a transceiver that carries bytes both ways: the serial channel, or the TCP
// connection to Hamlib's rigctld. The transceiver protocols only see this.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace vexa::rig {

enum class ModemLine { Rts, Dtr };

class ByteChannel {
public:
    virtual ~ByteChannel() = default;

    virtual bool isOpen() const = 0;
    // GUI thread. True when every byte went out within the channel's write bound.
    virtual bool Write(std::span<const uint8_t> bytes) = 0;
    // GUI thread: the bytes received since the last call, zero bytes included.
    virtual std::vector<uint8_t> TakeReceived() = 0;
    // Called on the channel's own thread once per burst of received bytes, and once when the
    // link is lost; the owner maps it to a queued call on the GUI thread. A notification is
    // not repeated until TakeReceived has run, so a slow GUI thread is never flooded.
    virtual void SetWake(std::function<void()> wake) = 0;
    // GUI thread: true once after the link was lost (device unplugged, daemon gone).
    virtual bool TakeLost() = 0;
    // GUI thread: true once after a link that reconnects by itself is back.
    virtual bool TakeConnected() { return false; }
    // How the operator knows the link: "/dev/ttyUSB0", "localhost:4532".
    virtual std::string describe() const = 0;
    // Key lines; false where the link has none or the device refused.
    virtual bool SetModemLine(ModemLine line, bool on)
    {
        (void)line;
        (void)on;
        return false;
    }
    // Bits per second for the pacing of serial protocols; 0 where pacing means nothing.
    virtual int baudRate() const { return 0; }
};

}  // namespace vexa::rig
