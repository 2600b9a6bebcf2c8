#include "engine/tx/transmit_machine.h"

#include <algorithm>
#include <cmath>

#include "engine/rx/baudot_tables.h"

namespace vexa::engine {

TransmitMachine::TransmitMachine(const SineTable& table, TransmitAudio& audio, KeyLine& keyLine,
                                 TransmitTextSource& source) noexcept
    : m_audio(audio),
      m_keyLine(keyLine),
      m_source(source),
      m_modulator(table),
      m_bpsk(m_table),
      m_qpsk(m_table),
      m_sine(&table)
{
    setMode(OperatingMode::Psk31);
}

void TransmitMachine::setVaricode(const std::array<uint16_t, 256>& varicode) noexcept
{
    buildTransmitTable(m_bpsk, varicode);
}

void TransmitMachine::setMode(OperatingMode mode, double rttyBaud) noexcept
{
    m_mode = mode;
    if (isVaricodeMode(mode))
        m_modulator.configure(16.625, 31.25);
    else if (mode == OperatingMode::Rtty)
        // Two half-bit symbols per bit; 180 Hz rather than 170 centres both tones in the
        // receiver's band-pass.
        m_modulator.configure(180.0, rttyBaud >= 100.0 ? 200.0 : 90.9);
}

void TransmitMachine::setFadingTerm(int k, double periodSeconds, double depth) noexcept
{
    if (k < 0 || k >= kFadingTerms) return;
    FadingTerm& term = m_fading[static_cast<std::size_t>(k)];
    term.increment =
        periodSeconds > 0.0
            ? static_cast<uint32_t>(static_cast<int64_t>(1073741824.0 / (periodSeconds * 11025.0)))
            : 0;
    term.depth = static_cast<float>(depth);
    m_fadingActive =
        std::any_of(m_fading.begin(), m_fading.end(), [](const FadingTerm& t) { return t.increment != 0; });
}

void TransmitMachine::setTuneHooks(std::function<std::optional<double>()> takePending,
                                   std::function<void(double)> applied)
{
    m_takePendingTune = std::move(takePending);
    m_tuneApplied = std::move(applied);
}

TransmitMachine::Toggle TransmitMachine::ToggleTransmit()
{
    if (m_active) {
        if (!m_transmitting) return Toggle::Ending;  // already winding down
        m_transmitting = false;
        m_counter = kEndRequested;
        // With nothing in flight no block will ever come back to finish the transmission
        // (CW keys without audio): finish now rather than leave the transmitter keyed.
        if (m_blocksInFlight == 0) {
            finish();
            return Toggle::Ended;
        }
        return Toggle::Ending;
    }
    const bool cw = m_mode == OperatingMode::Cw;
    if (!cw && !isDemodulatedMode(m_mode)) return Toggle::Refused;

    m_transmitting = true;
    m_active = true;
    m_audio.CloseWaveIn();
    m_counter = kStart;
    m_needChar = true;
    m_symbolBoundary = true;
    m_endBlock = nullptr;
    m_lastSpecial = 0;
    m_slots = 0;
    m_shift = Shift::None;
    m_cwText.clear();
    m_pattern = 0;
    m_elementCounter = 0;
    m_cwSeparator = 0;
    m_blocksInFlight = 0;
    m_modulator.resetSymbolClock();
    m_audio.OpenWaveOut();
    m_keyLine.SetPtt(true);
    m_source.StartTransmitText();

    m_starting = true;
    for (WaveHeader& header : m_audio.outputHeaders()) FillTransmitBlock(&header);
    m_starting = false;
    // In the digital modes a transmission lives on its returning blocks; when the output
    // took none (it failed to open) the key line must not stay on.
    if (!cw && m_blocksInFlight == 0) {
        finish();
        return Toggle::Ended;
    }
    return Toggle::Started;
}

void TransmitMachine::finish()
{
    m_audio.CloseWaveOut();
    m_audio.OpenWaveIn();
    m_keyLine.SetPtt(false);
    m_transmitting = false;
    m_active = false;
    m_endBlock = nullptr;
    m_blocksInFlight = 0;
}

void TransmitMachine::FillTransmitBlock(WaveHeader* header)
{
    if (header == nullptr || !m_active) return;
    if (!m_starting && m_blocksInFlight > 0) --m_blocksInFlight;
    if (header == m_endBlock) {
        finish();
        return;
    }
    if (header->data == nullptr) return;
    const int samples = static_cast<int>(header->bufferLength / 2);

    m_currentHeader = header;
    if (isVaricodeMode(m_mode)) {
        fillPsk(header->data, samples);
    } else if (m_mode == OperatingMode::Rtty) {
        fillRtty(header->data, samples);
    } else {
        return;
    }
    if (m_audio.writeOutput(*header)) {
        ++m_blocksInFlight;
    } else if (!m_starting && m_blocksInFlight == 0) {
        finish();  // the last block in circulation was refused: nothing would end it
    }
}

int TransmitMachine::fadedSample()
{
    bool boundary = false;
    const int sample = m_modulator.next(boundary);
    m_symbolBoundary = boundary;
    if (!m_fadingActive) return sample;
    double gain = 1.0;
    for (FadingTerm& term : m_fading) {
        if (term.increment == 0) continue;
        term.phase = (term.phase + term.increment) & 0x3FFFFFFF;
        const double s = m_sine->Sin16(static_cast<uint16_t>(term.phase >> 14)) / 65536.0 + 0.5;
        gain *= 1.0 - s * term.depth;
    }
    const double v = std::trunc(sample * gain);
    return static_cast<int>(std::clamp(v, -32767.0, 32767.0));
}

void TransmitMachine::fillPsk(int16_t* data, int samples)
{
    for (int i = 0; i < samples; ++i) {
        if (m_symbolBoundary) pskSymbolBoundary();
        data[i] = static_cast<int16_t>(fadedSample());
    }
}

void TransmitMachine::pskSymbolBoundary()
{
    if (m_takePendingTune) {
        if (const std::optional<double> f = m_takePendingTune()) {
            m_modulator.setFrequency(*f);
            if (m_tuneApplied) m_tuneApplied(*f);
        }
    }
    if (m_needChar) stepStateCounter();

    if (m_counter >= kIdleFrom && m_counter < kTailFrom && m_counter != kCwGap &&
        (!cwIdBusy() || m_cwSeparator > 0)) {
        if (m_cwSeparator > 0) --m_cwSeparator;
        m_pskSymbol = encoder().nextSymbol(m_needChar);
        if (m_mode == OperatingMode::Fsk31) m_pskSymbol += ToneModulator::kFskLower;
    }
    setSymbol(m_pskSymbol % 12);
}

void TransmitMachine::setSymbol(int symbol)
{
    m_modulator.setSymbol(symbol);
    if (m_symbolTap) m_symbolTap(symbol);
}

void TransmitMachine::stepStateCounter()
{
    if (m_counter == kStart) {
        // The first carrier symbol fades in from silence.
        m_modulator.setPreviousSymbol(ToneModulator::kSilence);
        m_modulator.setSymbol(ToneModulator::kSilence);
    }
    ++m_counter;
    if (m_counter < kIdleFrom) {
        m_pskSymbol = ToneModulator::kPhase0;
    } else if (m_counter < kTextFrom) {
        // idle zero bits come from the encoder
    } else if (m_counter < kEndRequested) {
        if (cwIdBusy())
            cwElement();
        else
            takePskCharacter();
    } else if (m_counter < kSilenceFrom) {
        if (m_counter >= kTailFrom) m_pskSymbol = ToneModulator::kPhase0;
    } else {
        m_pskSymbol = ToneModulator::kSilence;
        if (m_endBlock == nullptr) m_endBlock = m_currentHeader;
    }
}

void TransmitMachine::takePskCharacter()
{
    int c = 0;
    if (m_source.NextTransmitChar(c) == 0 || c <= 0) return;  // nothing: idle bits
    c &= 0xFF;
    if (c == kEndOfTransmission) {
        if (m_lastSpecial == kCwIdRequest) {
            // The identification was the last thing to send: end without flush or tail.
            m_counter = kEndAfterCwId;
            m_pskSymbol = ToneModulator::kSilence;
        } else {
            m_counter = kEndRequested;
        }
        m_source.EmptyTransmitText();
    } else if (c == kCwIdRequest) {
        m_cwText = "  " + m_callSign + " ";
        m_counter = kAfterCwRequest;
        // Two zero bits end the character before the identification; without them the
        // receiving station would not print it, as the keyed carrier reads as one bits.
        m_cwSeparator = 2;
    } else {
        encoder().loadChar(static_cast<unsigned>(c));
        echo(c);
    }
    m_lastSpecial = c;
}

// One symbol of the Morse identification. Each element lasts its full count of symbols,
// the start symbol included, and the last `unit` of them are off: a dot is one unit on and
// one off, a dash three on and one off, the end of a character two units off.
void TransmitMachine::cwElement()
{
    if (m_elementCounter == 0) {
        if (m_pattern == 0 && !m_cwText.empty()) {
            m_pattern = m_morse[static_cast<unsigned char>(m_cwText.front())];
            m_cwText.erase(0, 1);
        }
        if (m_pattern > 1) {
            m_elementCounter = ((m_pattern & 1) != 0 ? 4 : 2) * m_cwIdUnit;
            m_elementKeyed = true;
        } else if (m_pattern == 1) {
            m_elementCounter = 2 * m_cwIdUnit;
            m_elementKeyed = false;
        } else {
            return;
        }
        m_pattern >>= 1;
    }
    if (m_elementKeyed && m_elementCounter > m_cwIdUnit) {
        m_pskSymbol = ToneModulator::kPhase0;
    } else {
        m_pskSymbol = ToneModulator::kSilence;
        m_counter = kCwGap;
    }
    --m_elementCounter;
}

void TransmitMachine::echo(int c)
{
    if (m_echo != nullptr) m_echo->push_back(static_cast<char>(c));
}

void TransmitMachine::loadBaudot(int c)
{
    const auto indexIn = [](std::string_view table, int ch) {
        const std::size_t k = table.find(static_cast<char>(ch));
        return k == std::string_view::npos ? -1 : static_cast<int>(k);
    };
    if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    m_slots = 15;
    if (c == 0) {
        m_word = baudotHalfBitWord(kBaudotLtrs);  // idle: LTRS
        m_shift = Shift::Letters;
        return;
    }
    int k = c <= ' ' ? indexIn(kBaudotLetters, c) : -1;
    if (k >= 0) {
        // CR, LF and space exist in both shifts; after one the next letter or figure
        // carries its shift code again.
        m_word = baudotHalfBitWord(k);
        m_shift = Shift::None;
        return;
    }
    if (m_shift != Shift::None) {
        k = indexIn(m_shift == Shift::Letters ? kBaudotLetters : kBaudotFigures, c);
        if (k >= 0) {
            m_word = baudotHalfBitWord(k);
            return;
        }
    }
    const int kl = indexIn(kBaudotLetters, c);
    const int kf = indexIn(kBaudotFigures, c);
    if (kl < 0 && kf < 0) {
        m_word = baudotHalfBitWord(kBaudotSpace);
        m_shift = Shift::None;
        return;
    }
    const bool letters = kl >= 0 && (kf < 0 || kl <= kf);
    k = letters ? kl : kf;
    m_word = (baudotHalfBitWord(k) << 15) + baudotHalfBitWord(letters ? kBaudotLtrs : kBaudotFigs);
    m_slots = 30;
    m_shift = c < ' ' ? Shift::None : (letters ? Shift::Letters : Shift::Figures);
}

void TransmitMachine::fillRtty(int16_t* data, int samples)
{
    for (int i = 0; i < samples; ++i) {
        if (m_symbolBoundary) {
            if (m_slots == 0 && m_counter < kEndRequested) {
                int c = 0;
                const bool taken = m_source.NextTransmitChar(c) != 0 && c > 0;
                c = taken ? (c & 0xFF) : 0;
                if (c == kEndOfTransmission) {
                    m_counter = kEndRequested;
                    m_source.EmptyTransmitText();
                } else {
                    if (c != 0) echo(c);
                    loadBaudot(c);
                }
            }
            if (m_slots == 0 && m_counter >= kEndRequested) {
                // The end: no more text is taken (it stays in the window unsent); silence
                // until the end block has played. A character in progress finishes first.
                if (m_counter == kEndRequested) {
                    if (m_endBlock == nullptr) m_endBlock = m_currentHeader;
                    ++m_counter;
                }
                setSymbol(ToneModulator::kSilence);
            } else if (m_slots > 0) {
                const int bit = static_cast<int>(m_word & 1);
                setSymbol(bit != m_polarity ? ToneModulator::kRttyUpper : ToneModulator::kRttyLower);
                m_word >>= 1;
                --m_slots;
            }
        }
        bool boundary = false;
        data[i] = static_cast<int16_t>(m_modulator.next(boundary));
        m_symbolBoundary = boundary;
    }
}

}  // namespace vexa::engine
