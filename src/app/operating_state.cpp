#include "app/operating_state.h"

#include "common/operating_mode.h"

namespace vexa::app {

OperatingState::OperatingState(ApplicationGlobals& globals, TransceiverPort& transceiver)
    : m_globals(globals), m_transceiver(transceiver)
{
}

void OperatingState::SetOperatingMode(int mode)
{
    switch (static_cast<OperatingMode>(mode)) {
    case OperatingMode::Cw: m_transceiver.SetTransceiverMode(kTrxCw); break;
    case OperatingMode::Usb:
    case OperatingMode::Sstv:
    case OperatingMode::Fax: m_transceiver.SetTransceiverMode(kTrxUsb); break;
    case OperatingMode::Lsb: m_transceiver.SetTransceiverMode(kTrxLsb); break;
    case OperatingMode::Ssb:
        // The side band follows the dial frequency; that belongs to the band buttons.
        break;
    case OperatingMode::Rtty: m_transceiver.SetTransceiverMode(kTrxDigital); break;
    case OperatingMode::Am: m_transceiver.SetTransceiverMode(kTrxAm); break;
    case OperatingMode::Fm: m_transceiver.SetTransceiverMode(kTrxFm); break;
    case OperatingMode::Psk31:
    case OperatingMode::Qpsk:
    case OperatingMode::Fsk31: m_transceiver.SetTransceiverMode(kTrxDigital); break;
    }
    m_globals.operatingMode = mode;
}

TickResult OperatingState::ClockTick(TickWindows windows, std::time_t now, bool gmt)
{
    TickResult result;
    ReceiveTextFlow& flow = m_globals.textFlow;
    flow.showSecondChannel(m_secondChannelText, windows.alertLine);
    result.receiveTextWritten =
        flow.moveReceivedText(m_receiveText, windows.receiveWindow, m_globals.settings.station.call,
                              m_globals.settings.wrap, m_globals.receivePaused);
    result.cwSpeedChanged = m_cwSpeed.update();
    if (m_clock.update(now, gmt)) {
        result.clockChanged = true;
        result.invalidateSpectrum = m_clock.secondsCounted() >= 2;
    }
    ++m_globals.tickCounter;
    return result;
}

}  // namespace vexa::app
