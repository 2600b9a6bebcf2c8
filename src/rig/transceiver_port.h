// How the operating state reaches the transceiver: mode commands and the key line. The
// defaults do nothing, which is what a station without a transceiver connection gets.
#pragma once

namespace vexa::rig {

// Transceiver mode command codes.
enum TransceiverModeCode : int {
    kTrxLsb = 0,
    kTrxUsb = 1,
    kTrxAm = 2,
    kTrxCw = 3,
    kTrxDigital = 4,
    kTrxFm = 5,
};

class TransceiverPort {
public:
    virtual ~TransceiverPort() = default;
    virtual void SetTransceiverMode(int code) { (void)code; }
    virtual void SetPtt(bool on) { (void)on; }
};

}  // namespace vexa::rig
