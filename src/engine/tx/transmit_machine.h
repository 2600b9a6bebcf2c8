// The transmit state machine: starts and ends a transmission (output instead of input,
// key line), and refills each returned output block from the characters of a
// TransmitTextSource - PSK31, QPSK and FSK31 with carrier lead-in, idle, end request,
// encoder flush and carrier tail, CW identification by keying the carrier, and RTTY as
// half-bit Baudot words. Plain engine object: the application calls ToggleTransmit for the
// transmit key and FillTransmitBlock for every OutputDone event, on one thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/operating_mode.h"
#include "common/transmit_text_source.h"
#include "engine/audio/wave_header.h"
#include "engine/dsp/sine_table.h"
#include "engine/tx/key_line.h"
#include "engine/tx/morse_table.h"
#include "engine/tx/qpsk_encoder.h"
#include "engine/tx/tone_modulator.h"
#include "engine/tx/transmit_audio.h"
#include "engine/tx/varicode_encoder.h"

namespace vexa::engine {

class TransmitMachine {
public:
    // Landmarks of the state counter.
    static constexpr uint32_t kStart = 0;
    static constexpr uint32_t kIdleFrom = 10;  // lead-in carrier before this
    static constexpr uint32_t kTextFrom = 20;  // idle zero bits before this
    static constexpr uint32_t kAfterCwRequest = 12;
    static constexpr uint32_t kCwGap = 0x0FFFFFFF;
    static constexpr uint32_t kEndRequested = 0xFF000000;
    static constexpr uint32_t kTailFrom = 0xFF000010;  // encoder flush before this
    static constexpr uint32_t kSilenceFrom = 0xFF000020;
    static constexpr uint32_t kEndAfterCwId = 0xFFF00000;

    static constexpr int kEndOfTransmission = 174;
    static constexpr int kCwIdRequest = 169;
    static constexpr int kFadingTerms = 4;

    enum class Toggle {
        Refused,  // not a transmitting mode
        Started,
        Ending,  // the tail runs; the end block finishes
        Ended,   // finished at once (no audio in flight: CW, or the output refused every block)
    };

    TransmitMachine(const SineTable& table, TransmitAudio& audio, KeyLine& keyLine,
                    TransmitTextSource& source) noexcept;

    // Builds the shared transmit table from the 256-word varicode table.
    void setVaricode(const std::array<uint16_t, 256>& varicode) noexcept;

    // The operating mode (CW, RTTY and the varicode modes send audio, the others none);
    // configures the modulator for it. rttyBaud is 45.45 or 100.
    void setMode(OperatingMode mode, double rttyBaud = 45.45) noexcept;
    OperatingMode mode() const noexcept { return m_mode; }
    void setFrequency(double hz) noexcept { m_modulator.setFrequency(hz); }
    // Morse unit of the CW identification in PSK symbols (the "CwId" setting, 1 to 3).
    void setCwIdUnit(int symbols) noexcept { m_cwIdUnit = symbols < 1 ? 1 : symbols; }
    void setCallSign(std::string call) { m_callSign = std::move(call); }
    // RTTY: 0 sends a one bit (mark) on the upper tone, 1 on the lower tone.
    void setRttyPolarity(int polarity) noexcept { m_polarity = polarity != 0 ? 1 : 0; }
    void setQpskInverted(bool inverted) noexcept { m_qpsk.setInverted(inverted); }
    // Fading-test term k (0 to 3): period in seconds (0 or less: off) and depth (0 to 1).
    void setFadingTerm(int k, double periodSeconds, double depth) noexcept;
    // Phase increment per sample of term k (2^30 is one period); 0 when off.
    uint32_t fadingIncrement(int k) const noexcept
    {
        return k >= 0 && k < kFadingTerms ? m_fading[static_cast<std::size_t>(k)].increment : 0;
    }
    // Every character sent is appended here (the receive text buffer); nullptr: no echo.
    void setEchoBuffer(std::string* buffer) noexcept { m_echo = buffer; }
    // Consulted at each PSK symbol boundary: a pending click-to-tune frequency (consumed by
    // the call) moves the transmit tone there, and `applied` is told so the application
    // can retune the receivers and redraw the spectrum.
    void setTuneHooks(std::function<std::optional<double>()> takePending,
                      std::function<void(double)> applied);

    // Told every modulator symbol as it is chosen (PSK symbols and RTTY half-bits); for
    // tests and tools that look at the keying rather than the audio.
    void setSymbolTap(std::function<void(int)> tap) { m_symbolTap = std::move(tap); }

    Toggle ToggleTransmit();
    void FillTransmitBlock(WaveHeader* header);

    // The `transmitting` flag: set from the start until the end is requested.
    bool transmitting() const noexcept { return m_transmitting; }
    // True from the start until the end block has played (output open, key line on).
    bool active() const noexcept { return m_active; }

    ToneModulator& modulator() noexcept { return m_modulator; }
    const ToneModulator& modulator() const noexcept { return m_modulator; }
    VaricodeEncoder& varicodeEncoder() noexcept { return m_bpsk; }
    QpskEncoder& qpskEncoder() noexcept { return m_qpsk; }
    const MorseTable& morse() const noexcept { return m_morse; }
    uint32_t stateCounter() const noexcept { return m_counter; }
    const WaveHeader* endBlock() const noexcept { return m_endBlock; }

    // The frequency of a click at x256 (pixel x times 256 / pixels per bin) on the spectrum.
    static double clickFrequency(int x256, double binWidthHz, int zoom, int startBin) noexcept
    {
        return x256 * binWidthHz / (512.0 * zoom + 512.0) + startBin * binWidthHz;
    }

private:
    void finish();
    void fillPsk(int16_t* data, int samples);
    void fillRtty(int16_t* data, int samples);
    void pskSymbolBoundary();
    void stepStateCounter();
    void cwElement();
    // The identification still has keying or characters to send.
    bool cwIdBusy() const noexcept { return m_pattern != 0 || !m_cwText.empty() || m_elementCounter != 0; }
    void takePskCharacter();
    void loadBaudot(int c);
    int fadedSample();
    void setSymbol(int symbol);
    void echo(int c);
    VaricodeEncoder& encoder() noexcept { return m_mode == OperatingMode::Qpsk ? m_qpsk : m_bpsk; }

    TransmitAudio& m_audio;
    KeyLine& m_keyLine;
    TransmitTextSource& m_source;
    ToneModulator m_modulator;
    TransmitTable m_table;
    VaricodeEncoder m_bpsk;
    QpskEncoder m_qpsk;
    MorseTable m_morse;
    const SineTable* m_sine;

    OperatingMode m_mode = OperatingMode::Psk31;
    bool m_transmitting = false;
    bool m_active = false;
    bool m_starting = false;
    int m_blocksInFlight = 0;
    WaveHeader* m_currentHeader = nullptr;  // the block being filled

    uint32_t m_counter = 0;
    bool m_symbolBoundary = false;
    bool m_needChar = false;
    WaveHeader* m_endBlock = nullptr;
    int m_lastSpecial = 0;
    int m_pskSymbol = 0;

    enum class Shift { None, Letters, Figures };
    int m_slots = 0;
    uint32_t m_word = 0;
    Shift m_shift = Shift::None;
    int m_polarity = 0;

    std::string m_cwText;
    unsigned m_pattern = 0;
    int m_elementCounter = 0;
    int m_cwSeparator = 0;  // zero bits still to send before the keying starts
    bool m_elementKeyed = false;
    int m_cwIdUnit = 2;
    std::string m_callSign;

    struct FadingTerm {
        uint32_t phase = 0;  // 30 bits
        uint32_t increment = 0;
        float depth = 0.0f;
    };
    std::array<FadingTerm, kFadingTerms> m_fading{};
    bool m_fadingActive = false;

    std::string* m_echo = nullptr;
    std::function<std::optional<double>()> m_takePendingTune;
    std::function<void(double)> m_tuneApplied;
    std::function<void(int)> m_symbolTap;
};

// The Baudot half-bit word of a 5-bit code, sent from bit 0: two half-bits of space (start),
// the five data bits twice each (ITA2 bit 1 first), three half-bits of mark (1.5 stop bits).
constexpr uint32_t baudotHalfBitWord(int code) noexcept
{
    uint32_t w = 7;
    for (int i = 0; i < 5; ++i) {
        w = (w << 2) + ((code & 1) != 0 ? 3u : 0u);
        code >>= 1;
    }
    return w << 2;
}

}  // namespace vexa::engine
