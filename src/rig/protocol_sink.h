// What a transceiver protocol reports from the bytes it reads; the Transceiver turns these
// into the dial frequency, the operating mode and text in the entry line.
#pragma once

#include <string_view>

#include "rig/transceiver_type.h"

namespace vexa::rig {

enum class ModeReport {
    Broadcast,  // the operator changed it at the radio: the digital modes keep theirs
    Reply,      // the answer to a mode request
};

class ProtocolSink {
public:
    virtual ~ProtocolSink() = default;
    virtual void frequencyReported(long long hz) = 0;
    virtual void modeReported(RadioMode mode, ModeReport how) = 0;
    // Text for the entry line: frames for someone else, answers that make no sense.
    virtual void print(std::string_view text) = 0;
    // The radio refused a command (rigctld's "RPRT -n"); code as the radio gave it.
    virtual void refused(int code) = 0;
};

}  // namespace vexa::rig
