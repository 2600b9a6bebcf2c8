// One draw of the spectrum window without any toolkit: apply the pending mouse clicks,
// render a fresh captured block, lay out the markers and ask for the next block. It only
// renders: the receive loop (engine::ModeReceiver) runs the AFC, window or no window.
// The Qt widget owns one of these and only copies the image and markers to the screen.
#pragma once

#include "display/marker_geometry.h"
#include "display/spectrum_port.h"
#include "display/spectrum_renderer.h"

namespace vexa::display {

class SpectrumDisplay {
public:
    explicit SpectrumDisplay(SpectrumPort& port) noexcept : m_port(&port) {}

    struct DrawResult {
        bool rendered = false;          // a fresh block was transformed and a row added
        bool frequencyChanged = false;  // clicks moved transmit or receive
    };

    // The draw for a control of widthPx x heightPx. A draw with no fresh capture (the clock
    // forcing a redraw while audio is off) only applies clicks and markers: it neither
    // transforms the old block again nor adds a row.
    DrawResult draw(int widthPx, int heightPx);

    // Display-type command: cycles spectrum line, line history, waterfall; clears history.
    void stepDisplayType() noexcept { m_renderer.stepDisplayType(); }

    // Moves the carrier audio frequency by deltaHz (transmit too when "net" is on). Ignored
    // when the result leaves (0, 3000) Hz. Returns whether anything moved.
    bool stepCarrier(double deltaHz);

    const SpectrumRenderer& renderer() const noexcept { return m_renderer; }
    SpectrumRenderer& renderer() noexcept { return m_renderer; }
    const MarkerLayout& markers() const noexcept { return m_markers; }
    SpectrumScale scale() const;

private:
    SpectrumPort* m_port;
    SpectrumRenderer m_renderer;
    MarkerLayout m_markers;
};

}  // namespace vexa::display
