// The operating state of one main window: the current operating mode and the engine
// wiring that goes with it, the receive text buffers the decoders fill, and the clock
// tick's text flow. No Qt: the window reaches it through plain calls and the ports.
#pragma once

#include <ctime>
#include <string>

#include "app/application_globals.h"
#include "app/clock_caption.h"
#include "app/cw_speed.h"
#include "app/transceiver_port.h"
#include "common/ports.h"

namespace vexa::app {

// What the window shows after a clock tick.
struct TickResult {
    bool receiveTextWritten = false;
    bool clockChanged = false;       // clockText() holds the new "&Time" caption
    bool invalidateSpectrum = false; // once a second from the second second on
    bool cwSpeedChanged = false;     // show cwSpeed().speed() again
};

// The windows a tick writes into.
struct TickWindows {
    TextWindow& receiveWindow;
    TextWindow& alertLine;
};

class OperatingState {
public:
    OperatingState(ApplicationGlobals& globals, TransceiverPort& transceiver);

    // Switches the engine to `mode` (0..11, see OperatingMode), sends the transceiver its
    // mode command and stores the mode. Values outside 0..11 are stored unchanged without
    // any engine change, as the mode box never offers them.
    void SetOperatingMode(int mode);
    int operatingMode() const noexcept { return m_globals.operatingMode; }

    // One 55 ms clock tick: second-channel tail, received text, CW speed, clock caption.
    TickResult ClockTick(TickWindows windows, std::time_t now, bool gmt);

    // Filled by the decoders (and the transmit echo), emptied by the tick.
    std::string& receiveTextBuffer() noexcept { return m_receiveText; }
    std::string& secondChannelTextBuffer() noexcept { return m_secondChannelText; }

    bool transmitting() const noexcept { return m_transmitting; }
    CwSpeed& cwSpeed() noexcept { return m_cwSpeed; }
    const ClockCaption& clock() const noexcept { return m_clock; }
    ApplicationGlobals& globals() noexcept { return m_globals; }
    TransceiverPort& transceiver() noexcept { return m_transceiver; }

private:
    ApplicationGlobals& m_globals;
    TransceiverPort& m_transceiver;
    std::string m_receiveText;
    std::string m_secondChannelText;
    bool m_transmitting = false;
    CwSpeed m_cwSpeed;
    ClockCaption m_clock;
};

}  // namespace vexa::app
