// The FT-990: five-byte blocks (four parameters, then the opcode) and a status record of
// raw bytes. It does not report by itself, so it is polled once a second.
#pragma once

#include "rig/polled_protocol.h"

namespace vexa::rig {

class Ft990Protocol final : public PolledProtocol {
public:
    Commands tune(long long dialHz) override;
    Commands poll() override;
    std::optional<Commands> setMode(RadioMode mode) override;
    Commands selectVfo(int vfo) override;
    Commands catPtt(bool on) override;

private:
    // Reads the dial frequency from the status record.
    void interpret(std::string_view replies, ProtocolSink& sink) override;
};

}  // namespace vexa::rig
