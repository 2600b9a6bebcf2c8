// The FT-990: five-byte blocks (four parameters, then the opcode) and a status record of
// raw bytes. It does not report by itself, so it is polled once a second.
#pragma once

#include <vector>

#include "rig/transceiver_protocol.h"

namespace vexa::rig {

class Ft990Protocol final : public TransceiverProtocol {
public:
    static constexpr int kPause = 100;

    Commands tune(long long dialHz) override;
    Commands poll() override;
    std::optional<Commands> setMode(RadioMode mode) override;
    Commands selectVfo(int vfo) override;
    Commands catPtt(bool on) override;
    void receive(std::span<const uint8_t> bytes, ProtocolSink& sink) override;
    bool pollsEverySecond() const override { return true; }
    void interpretReplies(ProtocolSink& sink) override;
    void reset() override { m_reply.clear(); }

private:
    std::vector<uint8_t> m_reply;
};

}  // namespace vexa::rig
