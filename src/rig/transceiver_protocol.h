// One transceiver's command language: the blocks that tune, poll, set the mode, select a
// VFO and key the transmitter, and the reading of what comes back. No I/O: the Transceiver
// sends the blocks and feeds the received bytes in.
#pragma once

#include <memory>
#include <optional>
#include <span>

#include "rig/command_block.h"
#include "rig/protocol_sink.h"
#include "rig/transceiver_type.h"

namespace vexa::rig {

class TransceiverProtocol {
public:
    virtual ~TransceiverProtocol() = default;

    virtual Commands tune(long long dialHz) = 0;
    // The read requests (PollTransceiver).
    virtual Commands poll() = 0;
    // nullopt: the radio has no such mode.
    virtual std::optional<Commands> setMode(RadioMode mode) = 0;
    // 0 = A, 1 = B, -1 = the command without a VFO; empty where the radio has no such
    // command.
    virtual Commands selectVfo(int vfo)
    {
        (void)vfo;
        return {};
    }
    // Keying over the command link; empty where the radio cannot.
    virtual Commands catPtt(bool on)
    {
        (void)on;
        return {};
    }

    virtual void receive(std::span<const uint8_t> bytes, ProtocolSink& sink) = 0;
    // Radios that do not report by themselves: interpret what arrived since the last second
    // and ask again.
    virtual bool pollsEverySecond() const { return false; }
    // What the once-a-second poll asks for.
    virtual Commands periodicPoll() { return poll(); }
    virtual void interpretReplies(ProtocolSink& sink) { (void)sink; }
    // The link came back: forget half-read replies.
    virtual void reset() {}
};

// The protocol of a type; null for None and ICxxx, which send nothing and drop all bytes.
std::unique_ptr<TransceiverProtocol> makeProtocol(TransceiverType type);

}  // namespace vexa::rig
