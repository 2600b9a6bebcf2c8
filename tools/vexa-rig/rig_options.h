// vexa-rig's command line: which radio, where, and what to do with it.
#pragma once

#include <optional>
#include <string>

#include "rig/transceiver_type.h"

namespace vexa::tools {

enum class RigCommand { Freq, Mode, GetFreq, Ptt, Monitor };

struct RigOptions {
    rig::TransceiverType type = rig::TransceiverType::None;
    std::string typeName;
    std::string device;
    int baud = 0;  // 0: the type's usual speed
    rig::PttMethod ptt = rig::PttMethod::Cat;
    RigCommand command = RigCommand::GetFreq;
    long long hz = 0;
    rig::RadioMode mode = rig::RadioMode::Usb;
    bool pttOn = false;
};

struct ParsedOptions {
    std::optional<RigOptions> options;
    int status = 0;  // when options is empty: 1 bad value, 2 bad usage, 0 help was asked
    std::string message;
};

ParsedOptions parseRigOptions(int argc, char** argv);
extern const char* const kRigUsage;

}  // namespace vexa::tools
