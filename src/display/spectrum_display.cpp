#include "display/spectrum_display.h"

#include "common/operating_mode.h"

namespace vexa::display {

SpectrumScale SpectrumDisplay::scale() const
{
    const SpectrumSettings s = m_port->spectrumSettings();
    return SpectrumScale(s.startHz, s.zoom);
}

SpectrumDisplay::DrawResult SpectrumDisplay::draw(int widthPx, int heightPx)
{
    SpectrumPort& port = *m_port;
    const SpectrumSettings settings = port.spectrumSettings();
    const SpectrumScale scale(settings.startHz, settings.zoom);
    const OperatingMode mode = port.operatingMode();
    DrawResult result;

    TuningState state;
    state.mode = mode;
    state.transmitHz = port.transmitFrequency();
    state.receiveHz = port.receiveFrequency();
    state.net = port.netEnabled();
    state.widthPx = widthPx;
    state.heightPx = heightPx;
    const TuningOutcome tuning = applyTuningClicks(port.tuningClicks(), scale, state);
    if (tuning.secondChannelHz) port.setSecondChannelFrequency(*tuning.secondChannelHz);
    if (tuning.transmitAndReceiveHz) port.tuneTransmitAndReceive(*tuning.transmitAndReceiveHz);
    if (tuning.receiveHz) port.tuneReceive(*tuning.receiveHz);
    result.frequencyChanged = tuning.frequencyChanged();

    engine::SpectrumCapture& capture = port.spectrumCapture();
    if (capture.ready()) {
        m_renderer.render(capture.real(), capture.imag(), scale, widthPx, heightPx, mode,
                          port.transmitFrequency(), settings.options);
        result.rendered = true;
    }

    MarkerInputs markers;
    markers.mode = mode;
    markers.transmitHz = port.transmitFrequency();
    markers.receiveHz = port.receiveFrequency();
    markers.secondChannelHz = port.secondChannelFrequency();
    markers.drift = port.driftIndicator();
    m_markers = layoutMarkers(scale, widthPx, heightPx, markers);

    capture.request();
    return result;
}

bool SpectrumDisplay::stepCarrier(double deltaHz)
{
    const double target = m_port->receiveFrequency() + deltaHz;
    if (!(target > 0.0 && target < kHighestTuningHz)) return false;
    if (m_port->netEnabled())
        m_port->tuneTransmitAndReceive(target);
    else
        m_port->tuneReceive(target);
    return true;
}

}  // namespace vexa::display
