// The sound card's two messages on the GUI thread: a filled input block goes to the mode
// receiver, is offered to the spectrum capture and is given back to the sound card; a
// played output block goes to the transmit path for refilling.
#pragma once

#include <functional>

#include "engine/audio/wave_header.h"
#include "engine/rx/mode_receiver.h"
#include "engine/spectrum_capture.h"

namespace vexa::engine {

// What the dispatch needs from the sound card and the transmit path.
struct WaveDispatchPort {
    std::function<bool(WaveDevice)> isOpenInput;    // device is the open input handle
    std::function<bool(WaveHeader&)> requeueInput;  // false: the block is dropped
    std::function<bool(WaveDevice)> isOpenOutput;
    std::function<void(WaveHeader&)> fillTransmitBlock;
    std::function<bool()> transmitting;  // the receiver rests while the transmitter is on
};

class ReceiveDispatch {
public:
    struct InputResult {
        bool requeued = false;  // the block went back to the sound card
        bool captured = false;  // the spectrum capture took it: draw it
        bool retuned = false;   // the AFC moved the receive frequency
    };

    // receiver and capture are not owned and must outlive the dispatch.
    ReceiveDispatch(ModeReceiver& receiver, SpectrumCapture& capture, WaveDispatchPort port);

    // The input-data message. A block from any device but the open input is ignored and
    // not queued again.
    InputResult OnWaveInData(WaveDevice device, WaveHeader& header);
    // The output-done message: true when the block went to the transmit path.
    bool OnWaveOutDone(WaveDevice device, WaveHeader& header);

private:
    ModeReceiver& m_receiver;
    SpectrumCapture& m_capture;
    WaveDispatchPort m_port;
};

}  // namespace vexa::engine
