// The TS-850: ASCII commands ending in ';'. The operating frequency is read from "IF;",
// which reports the VFO in use, and the radio is polled once a second.
#pragma once

#include "rig/polled_protocol.h"

namespace vexa::rig {

class Ts850Protocol final : public PolledProtocol {
public:
    Commands tune(long long dialHz) override;
    Commands poll() override;
    std::optional<Commands> setMode(RadioMode mode) override;
    Commands catPtt(bool on) override;

private:
    // Reads the frequency from every "FA" and "IF" answer; shows a garbled one.
    void interpret(std::string_view replies, ProtocolSink& sink) override;
};

}  // namespace vexa::rig
