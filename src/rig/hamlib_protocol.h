// Hamlib's rigctld text protocol, one command per line: "F hz", "f", "M mode 0", "m",
// "V VFOx", "T 1"/"T 0". rigctld reaches the hundreds of radios Hamlib drives; it reports
// nothing by itself, so the frequency is asked once a second.
#pragma once

#include <string>

#include "rig/transceiver_protocol.h"

namespace vexa::rig {

class HamlibProtocol final : public TransceiverProtocol {
public:
    Commands tune(long long dialHz) override;
    Commands poll() override;
    std::optional<Commands> setMode(RadioMode mode) override;
    Commands selectVfo(int vfo) override;
    Commands catPtt(bool on) override;
    void receive(std::span<const uint8_t> bytes, ProtocolSink& sink) override;
    bool pollsEverySecond() const override { return true; }
    // Only the frequency: the mode is asked at start, and the operator's digital mode must
    // not flip to the side band the radio reports.
    Commands periodicPoll() override;
    void interpretReplies(ProtocolSink& sink) override;
    void reset() override;

private:
    void line(const std::string& text, ProtocolSink& sink);
    std::string m_partial;
    bool m_passbandNext = false;  // after a mode name, "m" answers the passband
};

// rigctld's name for a mode, and back ("PKTUSB" and the like read as their side band).
const char* hamlibModeName(RadioMode mode);
std::optional<RadioMode> hamlibMode(const std::string& name);

}  // namespace vexa::rig
