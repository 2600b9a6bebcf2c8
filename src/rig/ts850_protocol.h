// The TS-850: ASCII commands ending in ';'. The operating frequency is read from "IF;",
// which reports the VFO in use, and the radio is polled once a second.
#pragma once

#include <string>

#include "rig/transceiver_protocol.h"

namespace vexa::rig {

class Ts850Protocol final : public TransceiverProtocol {
public:
    static constexpr int kReadPause = 100;
    static constexpr int kTunePause = 200;

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
    std::string m_reply;
};

}  // namespace vexa::rig
