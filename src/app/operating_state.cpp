#include "app/operating_state.h"

#include "common/operating_mode.h"
#include "display/spectrum_scale.h"
#include "engine/rx/afc_step.h"
#include "engine/rx/varicode_table.h"

namespace vexa::app {

OperatingState::OperatingState(ApplicationGlobals& globals, rig::TransceiverPort& transceiver,
                               TextWindow& keyboardWindow, engine::WaveBackend& backend,
                               engine::WaveBackend::Notify notify)
    : m_globals(globals),
      m_transceiver(transceiver),
      // Played blocks of a voice message go straight to its player on the device's thread:
      // the player waits for them there, and must finish even while this thread waits.
      m_soundCard(std::make_unique<engine::SoundCard>(
          backend,
          [this, notify = std::move(notify)](const engine::WaveEvent& e) {
              if (e.message == engine::WaveMessage::OutputDone && m_voiceKeyer.running()) {
                  m_voicePlayer.onOutputDone(e.header);
              } else if (notify) {
                  notify(e);
              }
          })),
      m_transmitAudio(*m_soundCard),
      m_keyLine(transceiver),
      m_keyboardBuffer(keyboardWindow, m_expander),
      m_transmit(m_sine, m_transmitAudio, m_keyLine, m_keyboardBuffer),
      m_dispatch(
          m_mainRx.demodulator(), m_secondRx.demodulator(),
          engine::WaveDispatchPort{[this](engine::WaveDevice d) {
                                       return m_soundCard->inputOpen() && d == m_soundCard->inputDevice();
                                   },
                                   [this](engine::WaveHeader& h) { return m_soundCard->addInputBuffer(h); },
                                   [this](engine::WaveDevice d) {
                                       return m_soundCard->outputOpen() && d == m_soundCard->outputDevice();
                                   },
                                   [this](engine::WaveHeader& h) { m_transmit.FillTransmitBlock(&h); },
                                   [this] {
                                       if (m_invalidateSpectrum) m_invalidateSpectrum();
                                   }})
{
    m_dispatch.setDemodulator(static_cast<int>(OperatingMode::Rtty), &m_rtty);
    m_dispatch.setDemodulator(static_cast<int>(OperatingMode::Fsk31), &m_fsk31);
    m_rtty.decoder().setTextSink(&m_receiveSink);
    m_rttyMatched.decoder().setTextSink(&m_receiveSink);
    m_rttyMatched.setSampleRate(engine::WaveFormat::kSampleRate);
    // FSK31 carries varicode bits: it feeds the main channel's selector, set to BPSK in mode 11.
    m_fsk31.setSink(&m_mainRx.selector());
    for (engine::PskDemodulator* d :
         {&m_mainRx.demodulator(), &m_secondRx.demodulator(), static_cast<engine::PskDemodulator*>(&m_rtty),
          static_cast<engine::PskDemodulator*>(&m_fsk31)}) {
        d->setSampleRate(engine::WaveFormat::kSampleRate);
    }
    m_transmit.setVaricode(engine::kVaricodeTable);
    m_transmit.setEchoBuffer(&m_receiveText);

    // A left click on the spectrum while sending PSK moves the tone at a symbol boundary.
    m_transmit.setTuneHooks(
        [this]() -> std::optional<double> {
            const display::SpectrumSettings settings = spectrumSettings();
            const display::SpectrumScale scale(settings.startHz, settings.zoom);
            return display::takeTransmitRetune(
                m_clicks, scale,
                display::TuningState{m_globals.operatingMode, transmitFrequency(), m_carrierHz, m_net,
                                     m_spectrumWidthPx, m_spectrumHeightPx});
        },
        [this](double hz) {
            setCarrierFrequency(hz, false);
            if (m_invalidateSpectrum) m_invalidateSpectrum();
        });
    ApplySettings();
    setCarrierFrequency(globals.settings.soundFq, true);
    setInversion(false);
}

void OperatingState::ApplySettings()
{
    const Settings& s = m_globals.settings;
    m_transmit.setCallSign(s.station.call);
    m_transmit.setCwIdUnit(s.cwId);
    m_rtty.decoder().setUnshiftOnSpace(s.unshiftOnSpace != 0);
    m_rttyMatched.decoder().setUnshiftOnSpace(s.unshiftOnSpace != 0);
    // Both RTTY receivers follow every retune, speed and polarity change; the dispatch
    // hands mode 4's blocks to the one selected.
    m_rttyMatchedSelected = s.rttyDecoder != 0;
    m_dispatch.setBlockReceiver(modeNumber(OperatingMode::Rtty),
                                m_rttyMatchedSelected ? engine::ReceiveDispatch::BlockReceiver(
                                                            [this](std::span<const int16_t> block) {
                                                                m_rttyMatched.processBlock(block);
                                                            })
                                                      : engine::ReceiveDispatch::BlockReceiver());
    m_keyboardBuffer.setWrap(s.wrap);
    setInversion(m_inv);
}

OperatingState::~OperatingState()
{
    // A voice message playing ends first (its blocks still come back), then the sound card
    // stops its devices before the engine objects it feeds go away.
    m_voiceKeyer.clearQueue();
    m_voiceKeyer.waitIdle();
    m_soundCard.reset();
}

void OperatingState::SetOperatingMode(int mode)
{
    if (mode < 0 || mode >= kOperatingModeCount) {
        m_globals.operatingMode = mode;
        m_dispatch.operatingMode = mode;
        return;
    }
    using M = OperatingMode;
    switch (static_cast<M>(mode)) {
        case M::Cw:
            m_transceiver.SetTransceiverMode(rig::kTrxCw);
            break;
        case M::Usb:
        case M::Sstv:
        case M::Fax:
            m_transceiver.SetTransceiverMode(rig::kTrxUsb);
            break;
        case M::Lsb:
            m_transceiver.SetTransceiverMode(rig::kTrxLsb);
            break;
        case M::Ssb:
            // The side band follows the dial frequency; that belongs to the band buttons.
            break;
        case M::Rtty:
            m_rtty.setSymbolRate(45.45);
            m_rttyMatched.setSymbolRate(45.45);
            m_transceiver.SetTransceiverMode(rig::kTrxDigital);
            break;
        case M::Am:
            m_transceiver.SetTransceiverMode(rig::kTrxAm);
            break;
        case M::Fm:
            m_transceiver.SetTransceiverMode(rig::kTrxFm);
            break;
        case M::Psk31:
            m_mainRx.setDecoding(engine::PskReceiver::Decoding::Bpsk);
            m_transceiver.SetTransceiverMode(rig::kTrxDigital);
            break;
        case M::Qpsk:
            m_mainRx.setDecoding(engine::PskReceiver::Decoding::Qpsk);
            m_mainRx.setReverse(m_inv);
            m_transmit.setQpskInverted(m_inv);
            m_transceiver.SetTransceiverMode(rig::kTrxDigital);
            break;
        case M::Fsk31:
            m_mainRx.setDecoding(engine::PskReceiver::Decoding::Bpsk);
            m_fsk31.setPublishedCorrection(0);
            m_transceiver.SetTransceiverMode(rig::kTrxDigital);
            break;
    }
    // The transmit path configures its modulator per mode (16.625/31.25 for the PSK family,
    // 180/90.9 for RTTY) and sends no audio in the others.
    m_transmit.setMode(mode);
    m_globals.operatingMode = mode;
    m_dispatch.operatingMode = mode;
}

void OperatingState::SetRtty100Baud()
{
    SetOperatingMode(static_cast<int>(OperatingMode::Rtty));
    m_transmit.setMode(static_cast<int>(OperatingMode::Rtty), 100.0);
    m_rtty.setSymbolRate(100.0);
    m_rttyMatched.setSymbolRate(100.0);
}

void OperatingState::setCarrierFrequency(double hz, bool withTransmit)
{
    m_carrierHz = hz;
    m_mainRx.setFrequency(hz);
    m_rtty.setFrequency(hz);
    m_rttyMatched.setFrequency(hz);
    m_fsk31.setFrequency(hz);
    if (withTransmit) m_transmit.setFrequency(hz);
}

void OperatingState::setInversion(bool inv)
{
    m_inv = inv;
    const int polarity = (m_globals.settings.digiSide != 0) != inv ? 1 : 0;
    m_rtty.setPolarity(polarity);
    m_rttyMatched.setPolarity(polarity);
    m_transmit.setRttyPolarity(polarity);
    m_mainRx.setReverse(inv);
    m_transmit.setQpskInverted(inv);
}

int32_t OperatingState::driftIndicator() const
{
    switch (m_globals.operatingMode) {
        case 4:
            return m_rttyMatchedSelected ? m_rttyMatched.discriminatorSum() : m_rtty.discriminatorSum();
        case 11:
            return m_fsk31.publishedCorrection();
        default:
            return m_mainRx.driftIndicator();
    }
}

display::SpectrumSettings OperatingState::spectrumSettings() const
{
    const Settings& s = m_globals.settings;
    display::SpectrumSettings out;
    out.startHz = s.startFq;
    out.zoom = s.zoom;
    out.options.showAverage = s.showAverage != 0;
    out.options.averageInverted = s.averageInverted != 0;
    out.options.averageThickLine = s.averageThickLine != 0;
    return out;
}

void OperatingState::tuneTransmitAndReceive(double hz)
{
    setCarrierFrequency(hz, true);
    m_mainRx.setDriftIndicator(0);
    m_fsk31.setPublishedCorrection(0);
}

void OperatingState::tuneReceive(double hz)
{
    setCarrierFrequency(hz, false);
    m_mainRx.setDriftIndicator(0);
    m_fsk31.setPublishedCorrection(0);
}

void OperatingState::setSecondChannelFrequency(double hz)
{
    m_dispatch.secondChannelFrequency = hz;
    if (hz > 0.0) m_secondRx.setFrequency(hz);
}

void OperatingState::afcStep()
{
    engine::AfcInputs in;
    in.operatingMode = m_globals.operatingMode;
    in.afcEnabled = m_afc;
    in.transmitting = m_transmit.transmitting();
    in.receiveHz = m_carrierHz;
    in.driftIndicator = driftIndicator();
    in.jitterIndicator = m_mainRx.jitterIndicator();
    const std::optional<engine::AfcRetune> retune = engine::AfcStep(in);
    if (!retune) return;
    setCarrierFrequency(retune->receiveHz, m_net);
    if (m_globals.operatingMode == 11)
        m_fsk31.setPublishedCorrection(retune->driftIndicator);
    else
        m_mainRx.setDriftIndicator(retune->driftIndicator);
}

void OperatingState::OnWaveEvent(const engine::WaveEvent& event)
{
    if (event.header == nullptr) return;
    m_dispatch.transmitting = m_transmit.transmitting();
    if (event.message == engine::WaveMessage::InputData) {
        m_dispatch.OnWaveInData(event.device, *event.header);
    } else {
        m_dispatch.OnWaveOutDone(event.device, *event.header);
    }
}

void OperatingState::ApplyAudioEnabled(bool enabled)
{
    if (!enabled) {
        m_soundCard->CloseWaveIn();
        m_soundCard->CloseWaveOut();
    } else if (!m_soundCard->inputOpen()) {
        m_soundCard->OpenWaveIn();
    }
}

engine::TransmitMachine::Toggle OperatingState::ToggleTransmit()
{
    const auto result = m_transmit.ToggleTransmit();
    m_dispatch.transmitting = m_transmit.transmitting();
    return result;
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

int OperatingState::GetSignalFrequency() const
{
    const int dial = m_globals.dialFrequency;
    if (!isDemodulatedMode(m_globals.operatingMode)) return dial;
    const auto offset = static_cast<int>(m_carrierHz + 0.5);
    return m_globals.settings.digiSide == 0 ? dial + offset : dial - offset;
}

}  // namespace vexa::app
