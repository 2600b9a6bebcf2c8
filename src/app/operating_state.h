// The operating state of one main window: the engine objects (receivers, transmit path,
// sound card) and their wiring for the current operating mode, the receive text buffers
// the decoders fill, and the clock tick's text flow. No Qt: the window reaches it through
// plain calls and the ports, and hands it the sound card's events on its own thread.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/application_globals.h"
#include "app/clock_caption.h"
#include "app/cw_speed.h"
#include "common/ports.h"
#include "display/spectrum_port.h"
#include "display/tuning_clicks.h"
#include "engine/audio/input_level_meter.h"
#include "engine/audio/sound_card.h"
#include "engine/dsp/sine_table.h"
#include "engine/receive_dispatch.h"
#include "engine/rx/mode_receiver.h"
#include "engine/rx/text_sink.h"
#include "engine/spectrum_capture.h"
#include "engine/tx/key_line.h"
#include "engine/tx/transmit_audio.h"
#include "engine/tx/transmit_level.h"
#include "engine/tx/transmit_machine.h"
#include "engine/tx/voice_keyer.h"
#include "macros/keyboard_transmit_buffer.h"
#include "macros/text_expander.h"
#include "rig/transceiver_port.h"

namespace vexa::app {

// What the window shows after a clock tick.
struct TickResult {
    bool receiveTextWritten = false;
    bool clockChanged = false;        // clock().text() holds the new "&Time" caption
    bool invalidateSpectrum = false;  // once a second from the second second on
    bool cwSpeedChanged = false;      // show cwSpeed().speed() again
};

// What the window does after a sound-card event.
struct WaveEventResult {
    bool spectrumCaptured = false;  // a block waits to be drawn
    bool frequencyChanged = false;  // the AFC moved the receive (and with "net" the transmit) frequency
};

// The windows a tick writes into.
struct TickWindows {
    TextWindow& receiveWindow;
    TextWindow& alertLine;
};

class OperatingState final : public display::SpectrumPort {
public:
    // keyboardWindow: where typed text waits to be sent. backend: the sound card's device
    // primitives; notify receives its events on the backend's thread and must hand them
    // to onWaveEvent on the window's thread. All must outlive the state.
    OperatingState(ApplicationGlobals& globals, rig::TransceiverPort& transceiver, TextWindow& keyboardWindow,
                   engine::WaveBackend& backend, engine::WaveBackend::Notify notify);
    ~OperatingState() override;
    OperatingState(const OperatingState&) = delete;
    OperatingState& operator=(const OperatingState&) = delete;

    // Hands the settings in memory (call, CW identification unit, Baudot unshift on space,
    // wrap column, DigiSide, transmit level) to the engine objects; after every read of the
    // settings.
    void applySettings();

    // Switches the engine to `mode` and sends the transceiver its mode command.
    void SetOperatingMode(OperatingMode mode);
    // A mode the radio reported: the engine switches, the radio is not told again.
    void storeOperatingMode(OperatingMode mode);
    // RTTY at 100 Bd (the 45.45 Bd of SetOperatingMode(Rtty) otherwise).
    void setRtty100Baud();

    // Receive frequency of every demodulator, and of the transmit tone when `withTransmit`.
    void setCarrierFrequency(double hz, bool withTransmit);
    double carrierFrequency() const noexcept { return m_receiver.frequency(); }
    // The frequency the signal is on: the dial frequency with the audio offset applied in
    // the digital modes, on the side "DigiSide" names (rounded to the nearest hertz).
    int GetSignalFrequency() const;
    // Where the dial frequency comes from (the transceiver); 14.071 MHz until it is set.
    void setDialSource(std::function<int()> dial) { m_dial = std::move(dial); }
    // "inv" and "DigiSide": QPSK quarter turns and the RTTY mark tone.
    void setInversion(bool inv);

    // The "afc" and "net" check boxes.
    void setAfc(bool on) noexcept { m_receiver.setAfc(on); }
    bool afcEnabled() const noexcept { return m_receiver.afcEnabled(); }
    void setNet(bool on) noexcept { m_net = on; }
    bool inversion() const noexcept { return m_inversion; }
    // The spectrum window's size, for a click applied by the transmit path.
    void setSpectrumSize(int widthPx, int heightPx) noexcept
    {
        m_spectrumWidthPx = widthPx;
        m_spectrumHeightPx = heightPx;
    }

    // What the spectrum window reads and the retuning it asks for.
    OperatingMode operatingMode() const override { return m_receiver.mode(); }
    double transmitFrequency() const override { return m_transmit.modulator().frequency(); }
    double receiveFrequency() const override { return m_receiver.frequency(); }
    double secondChannelFrequency() const override { return m_receiver.secondChannelFrequency(); }
    bool transmitting() const { return m_transmit.transmitting(); }
    bool netEnabled() const override { return m_net; }
    int32_t driftIndicator() const override { return m_receiver.driftIndicator(); }
    display::SpectrumSettings spectrumSettings() const override;
    engine::SpectrumCapture& spectrumCapture() override { return m_capture; }
    void tuneTransmitAndReceive(double hz) override;
    void tuneReceive(double hz) override;
    void setSecondChannelFrequency(double hz) override { m_receiver.setSecondChannelFrequency(hz); }
    display::TuningClicks& tuningClicks() override { return m_clicks; }

    // One 55 ms clock tick: second-channel tail, received text, CW speed, clock caption.
    TickResult ClockTick(TickWindows windows, std::time_t now, bool gmt);

    // Sound card. An input block runs through the receive loop (mode receiver, AFC) and
    // the spectrum capture.
    WaveEventResult onWaveEvent(const engine::WaveEvent& event);
    void applyAudioEnabled(bool enabled);
    void closeInput() { m_soundCard->CloseWaveIn(); }
    bool inputOpen() const noexcept { return m_soundCard->inputOpen(); }
    // Closes and opens the input again, so that a newly chosen device is used; when the
    // input is closed (transmitting, sound off) its next open does that. False when it was
    // open and the new device would not open.
    bool reopenInput();
    // The peak of the latest received block in dBFS; silence while the input is closed
    // (transmitting, sound off), not the last block before it closed.
    double inputPeakDbfs() const noexcept
    {
        return inputOpen() ? m_inputLevel.peakDbfs() : engine::InputLevelMeter::kFloorDbfs;
    }
    const engine::TransmitLevel& transmitLevel() const noexcept { return m_transmitLevel; }
    void setSpectrumInvalidator(std::function<void()> invalidate)
    {
        m_invalidateSpectrum = std::move(invalidate);
    }

    // Transmit key.
    engine::TransmitMachine::Toggle ToggleTransmit();
    bool transmitActive() const noexcept { return m_transmit.active(); }
    engine::TransmitMachine& transmitMachine() noexcept { return m_transmit; }
    macros::KeyboardTransmitBuffer& keyboardBuffer() noexcept { return m_keyboardBuffer; }

    // Voice messages of the SSB modes: message n plays "SSB<n+1>.wav" from the working
    // directory (or the one set on the keyer) with the key line on.
    engine::VoiceKeyer& voiceKeyer() noexcept { return m_voiceKeyer; }
    // Ends whatever is on the air now (a digital transmission without its tail, a voice
    // message): output closed, key line off, input open again. Closing the window.
    void endTransmissions();

    // One line of the program's own in the receive window, on a line of its own.
    void showNotice(std::string_view line);

    // Filled by the decoders (and the transmit echo), emptied by the tick.
    std::string& receiveTextBuffer() noexcept { return m_receiveText; }
    std::string& secondChannelTextBuffer() noexcept { return m_secondChannelText; }

    engine::ModeReceiver& receiver() noexcept { return m_receiver; }
    CwSpeed& cwSpeed() noexcept { return m_cwSpeed; }
    const ClockCaption& clock() const noexcept { return m_clock; }
    ApplicationGlobals& globals() noexcept { return m_globals; }
    rig::TransceiverPort& transceiver() noexcept { return m_transceiver; }

private:
    // The key line as the transmit path drives it: through the transceiver port.
    class PortKeyLine final : public engine::KeyLine {
    public:
        explicit PortKeyLine(rig::TransceiverPort& port) : m_port(port) {}
        void SetPtt(bool on) override { m_port.SetPtt(on); }

    private:
        rig::TransceiverPort& m_port;
    };

    ApplicationGlobals& m_globals;
    rig::TransceiverPort& m_transceiver;
    std::function<int()> m_dial = [] { return 14071000; };
    engine::SineTable m_sine;
    std::string m_receiveText;
    std::string m_secondChannelText;
    engine::TextSink m_receiveSink{&m_receiveText};
    engine::TextSink m_secondSink{&m_secondChannelText};
    engine::ModeReceiver m_receiver{m_sine, m_receiveSink, m_secondSink};
    engine::SpectrumCapture m_capture;
    std::unique_ptr<engine::SoundCard> m_soundCard;
    engine::SoundCardTransmitAudio<engine::SoundCard> m_transmitAudio;
    engine::TransmitLevel m_transmitLevel;
    engine::LevelledTransmitAudio m_levelledAudio{m_transmitAudio, m_transmitLevel};
    engine::InputLevelMeter m_inputLevel;
    PortKeyLine m_keyLine;
    macros::PassThroughExpander m_expander;
    macros::KeyboardTransmitBuffer m_keyboardBuffer;
    engine::TransmitMachine m_transmit;
    engine::VoiceKeyer m_voiceKeyer;
    engine::ReceiveDispatch m_dispatch;
    std::function<void()> m_invalidateSpectrum;
    bool m_inversion = false;
    bool m_net = true;
    display::TuningClicks m_clicks;
    int m_spectrumWidthPx = 0;
    int m_spectrumHeightPx = 0;
    CwSpeed m_cwSpeed;
    ClockCaption m_clock;
};

}  // namespace vexa::app
