#include "app/operating_state.h"

#include <optional>

#include "common/operating_mode.h"
#include "display/spectrum_scale.h"
#include "engine/audio/audio_file.h"
#include "engine/rx/varicode_table.h"

namespace vexa::app {

namespace {

constexpr const char* kSoundOutputFailed = "Sound output failed";

}  // namespace

OperatingState::OperatingState(ApplicationGlobals& globals, rig::TransceiverPort& transceiver,
                               TextWindow& keyboardWindow, engine::WaveBackend& backend,
                               engine::WaveBackend::Notify notify)
    : m_globals(globals),
      m_transceiver(transceiver),
      m_soundCard(std::make_unique<engine::SoundCard>(backend, std::move(notify))),
      m_transmitAudio(*m_soundCard),
      m_keyLine(transceiver),
      m_keyboardBuffer(keyboardWindow, m_expander),
      m_transmit(m_sine, m_levelledAudio, m_keyLine, m_keyboardBuffer),
      m_voiceKeyer(
          m_levelledAudio, m_keyLine,
          [](const std::string& path, std::vector<int16_t>& samples) {
              engine::AudioReadResult file = engine::readAudioFile(path);
              if (!file.ok()) return false;
              samples = std::move(file.samples);
              return true;
          },
          [this] { m_transmit.endNow(); }),
      m_dispatch(
          m_receiver, m_capture,
          engine::WaveDispatchPort{[this](engine::WaveDevice d) {
                                       return m_soundCard->inputOpen() && d == m_soundCard->inputDevice();
                                   },
                                   [this](engine::WaveHeader& h) { return m_soundCard->addInputBuffer(h); },
                                   [this](engine::WaveDevice d) {
                                       return m_soundCard->outputOpen() && d == m_soundCard->outputDevice();
                                   },
                                   [this](engine::WaveHeader& h) { m_transmit.FillTransmitBlock(&h); },
                                   [this] { return m_transmit.transmitting(); }})
{
    m_transmit.setVaricode(engine::kVaricodeTable);
    m_transmit.setEchoBuffer(&m_receiveText);

    // A left click on the spectrum while sending PSK moves the tone at a symbol boundary.
    m_transmit.setTuneHooks(
        [this]() -> std::optional<double> {
            const display::SpectrumSettings settings = spectrumSettings();
            const display::SpectrumScale scale(settings.startHz, settings.zoom);
            return display::takeTransmitRetune(
                m_clicks, scale,
                display::TuningState{operatingMode(), transmitFrequency(), receiveFrequency(), m_net,
                                     m_spectrumWidthPx, m_spectrumHeightPx});
        },
        [this](double hz) {
            setCarrierFrequency(hz, false);
            if (m_invalidateSpectrum) m_invalidateSpectrum();
        });
    // The operator must learn why the transmission stopped; one line in the receive
    // window, where the echo of the text sent ended.
    m_transmit.setOutputFailureHook([this] { showNotice(kSoundOutputFailed); });
    applySettings();
    for (const std::string& line : globals.startNotices) showNotice(line);
    globals.startNotices.clear();
    setCarrierFrequency(globals.settings.soundFq, true);
    setInversion(false);
}

void OperatingState::applySettings()
{
    const Settings& s = m_globals.settings;
    m_transmit.setCallSign(s.station.call);
    m_transmit.setCwIdUnit(s.cwId);
    m_receiver.setRttyUnshiftOnSpace(s.unshiftOnSpace != 0);
    m_receiver.setRttyDecoder(s.rttyDecoder == 0 ? engine::RttyDecoder::Discriminator
                                                 : engine::RttyDecoder::Matched);
    m_keyboardBuffer.setWrap(s.wrap);
    m_transmitLevel.setDb(s.sound.transmitLevelDb);
    setInversion(m_inversion);
}

void OperatingState::showNotice(std::string_view line)
{
    const bool midLine =
        m_receiveText.empty() ? m_globals.textFlow.column() != 0 : m_receiveText.back() != '\n';
    if (midLine) m_receiveText += "\r\n";
    m_receiveText += line;
    m_receiveText += "\r\n";
}

OperatingState::~OperatingState()
{
    // Nothing stays on the air, then the sound card stops its devices before the engine
    // objects it feeds go away.
    endTransmissions();
    m_soundCard.reset();
}

void OperatingState::endTransmissions()
{
    m_voiceKeyer.stop();
    m_transmit.endNow();
}

namespace {

// The transceiver's mode for an operating mode; SSB has none here, its side band follows
// the dial frequency (the band buttons' business).
std::optional<rig::TransceiverModeCode> transceiverModeOf(OperatingMode mode)
{
    using M = OperatingMode;
    switch (mode) {
        case M::Cw:
            return rig::kTrxCw;
        case M::Usb:
        case M::Sstv:
        case M::Fax:
            return rig::kTrxUsb;
        case M::Lsb:
            return rig::kTrxLsb;
        case M::Am:
            return rig::kTrxAm;
        case M::Fm:
            return rig::kTrxFm;
        case M::Rtty:
        case M::Psk31:
        case M::Qpsk:
        case M::Fsk31:
            return rig::kTrxDigital;
        case M::Ssb:
            break;
    }
    return std::nullopt;
}

}  // namespace

void OperatingState::SetOperatingMode(OperatingMode mode)
{
    // A voice message is a transmission too: it ends with its mode.
    if (mode != operatingMode()) m_voiceKeyer.stop();
    if (const auto code = transceiverModeOf(mode)) m_transceiver.SetTransceiverMode(*code);
    if (mode == OperatingMode::Qpsk) m_transmit.setQpskInverted(m_inversion);
    m_receiver.setMode(mode);
    // The transmit path configures its modulator per mode (16.625/31.25 for the PSK family,
    // 180/90.9 for RTTY) and sends no audio in the others.
    m_transmit.setMode(mode);
}

void OperatingState::storeOperatingMode(OperatingMode mode)
{
    if (mode == OperatingMode::Qpsk) m_transmit.setQpskInverted(m_inversion);
    m_receiver.setMode(mode);
    m_transmit.setMode(mode);
}

void OperatingState::setRtty100Baud()
{
    SetOperatingMode(OperatingMode::Rtty);
    m_transmit.setMode(OperatingMode::Rtty, 100.0);
    m_receiver.setRttySymbolRate(100.0);
}

void OperatingState::setCarrierFrequency(double hz, bool withTransmit)
{
    m_receiver.setFrequency(hz);
    if (withTransmit) m_transmit.setFrequency(hz);
}

void OperatingState::setInversion(bool inv)
{
    m_inversion = inv;
    const int polarity = (m_globals.settings.digiSide != 0) != inv ? 1 : 0;
    m_receiver.setRttyPolarity(polarity);
    m_transmit.setRttyPolarity(polarity);
    m_receiver.setReverse(inv);
    m_transmit.setQpskInverted(inv);
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
    m_receiver.clearDrift();
}

void OperatingState::tuneReceive(double hz)
{
    setCarrierFrequency(hz, false);
    m_receiver.clearDrift();
}

WaveEventResult OperatingState::onWaveEvent(const engine::WaveEvent& event)
{
    WaveEventResult result;
    if (event.header == nullptr) return result;
    if (event.message == engine::WaveMessage::OutputDone && m_voiceKeyer.running()) {
        if (m_soundCard->outputOpen() && event.device == m_soundCard->outputDevice())
            m_voiceKeyer.onOutputDone(event.header);
        return result;
    }
    if (event.message != engine::WaveMessage::InputData) {
        m_dispatch.OnWaveOutDone(event.device, *event.header);
        return result;
    }
    // Measured before the dispatch hands the block back to the card.
    if (m_soundCard->inputOpen() && event.device == m_soundCard->inputDevice() &&
        event.header->data != nullptr)
        m_inputLevel.measure(std::span<const int16_t>(event.header->data, event.header->bytesRecorded / 2));
    const engine::ReceiveDispatch::InputResult input = m_dispatch.OnWaveInData(event.device, *event.header);
    // With "net" on the transmit tone follows the AFC.
    if (input.retuned && m_net) m_transmit.setFrequency(m_receiver.frequency());
    result.spectrumCaptured = input.captured;
    result.frequencyChanged = input.retuned;
    return result;
}

void OperatingState::applyAudioEnabled(bool enabled)
{
    if (!enabled) {
        m_soundCard->CloseWaveIn();
        m_soundCard->CloseWaveOut();
    } else if (!m_soundCard->inputOpen()) {
        m_soundCard->OpenWaveIn();
    }
}

bool OperatingState::reopenInput()
{
    if (!m_soundCard->inputOpen()) return true;
    m_soundCard->CloseWaveIn();
    m_inputLevel.reset();
    m_soundCard->OpenWaveIn();
    return m_soundCard->inputOpen();
}

engine::TransmitMachine::Toggle OperatingState::ToggleTransmit()
{
    return m_transmit.ToggleTransmit();
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
    const int dial = m_dial();
    if (!isDemodulatedMode(operatingMode())) return dial;
    const auto offset = static_cast<int>(receiveFrequency() + 0.5);
    return m_globals.settings.digiSide == 0 ? dial + offset : dial - offset;
}

}  // namespace vexa::app
