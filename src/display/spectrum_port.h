// What the spectrum window needs from the operating state, and the retuning it asks of it.
// The main window's core implements this; tests use a fake. All calls come from the GUI
// thread, the same thread that runs the receive dispatch.
#pragma once

#include <cstdint>

#include "common/operating_mode.h"
#include "display/spectrum_renderer.h"
#include "display/tuning_clicks.h"
#include "engine/spectrum_capture.h"

namespace vexa::display {

struct SpectrumSettings {
    double startHz = 384.0;  // "StartFq"
    int zoom = 1;            // "Zoom"
    SpectrumOptions options;
};

class SpectrumPort {
public:
    virtual ~SpectrumPort() = default;

    virtual OperatingMode operatingMode() const = 0;
    virtual double transmitFrequency() const = 0;       // Hz, the modulator's tone
    virtual double receiveFrequency() const = 0;        // Hz, the carrier audio frequency
    virtual double secondChannelFrequency() const = 0;  // Hz, 0 = off
    virtual bool netEnabled() const = 0;                // "net" check box: transmit follows receive
    // The drift indicator of the current mode's receiver (the value AFC follows).
    virtual int32_t driftIndicator() const = 0;
    virtual SpectrumSettings spectrumSettings() const = 0;

    // The block the receive path captured for the display, and the display's request for
    // the next one.
    virtual engine::SpectrumCapture& spectrumCapture() = 0;

    // Transmit and receive move to hz: retune the demodulators and the modulator, clear the
    // drift indicator.
    virtual void tuneTransmitAndReceive(double hz) = 0;
    // Receive only moves to hz: retune the demodulators, clear the drift indicator.
    virtual void tuneReceive(double hz) = 0;
    // Second PSK channel to hz (0 = off); retune its demodulator.
    virtual void setSecondChannelFrequency(double hz) = 0;
    // Mouse positions waiting for the next draw. Kept by the core because the transmit path
    // also consumes a pending left click (takeTransmitRetune) at a symbol boundary.
    virtual TuningClicks& tuningClicks() = 0;
};

}  // namespace vexa::display
