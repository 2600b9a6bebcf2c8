// The IC-735 on the CI-V bus: address 04, controller E0, four BCD bytes of frequency. It
// reports dial and mode changes by itself, so it is asked only at start.
#pragma once

#include "rig/civ_parser.h"
#include "rig/transceiver_protocol.h"

namespace vexa::rig {

class Ic735Protocol final : public TransceiverProtocol {
public:
    static constexpr int kPause = 300;

    Commands tune(long long dialHz) override;
    Commands poll() override;
    std::optional<Commands> setMode(RadioMode mode) override;
    Commands selectVfo(int vfo) override;
    void receive(std::span<const uint8_t> bytes, ProtocolSink& sink) override;
    void reset() override { m_parser.reset(); }

private:
    CivParser m_parser;
};

}  // namespace vexa::rig
