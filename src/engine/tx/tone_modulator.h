// The transmit oscillator: one 16-bit carrier phase driven sample by sample, keyed by
// modulator symbols. PSK symbols cross-fade between constellation points with a raised
// cosine across each symbol; FSK31 and RTTY tones change frequency without a phase jump.
#pragma once

#include <cstdint>

#include "engine/dsp/sine_table.h"

namespace vexa::engine {

class ToneModulator {
public:
    // Modulator symbols.
    static constexpr int kPhase0 = 0;      // PSK (I, Q) = (1, 0)
    static constexpr int kPhaseM90 = 1;    //            (0, -1)
    static constexpr int kPhase180 = 2;    //            (-1, 0)
    static constexpr int kPhaseP90 = 3;    //            (0, 1)
    static constexpr int kSilence = 4;     // no carrier
    static constexpr int kFskLower = 5;    // FSK31 lower tone; 6..9 the upper tone
    static constexpr int kRttyLower = 10;  // RTTY lower tone (space with normal polarity)
    static constexpr int kRttyUpper = 11;  // RTTY upper tone (mark)

    explicit ToneModulator(const SineTable& table) noexcept;

    // shiftHz: distance between the two tones; symbolRate in Bd. Recomputes all increments.
    // Non-finite values are refused (nothing changes), here and in setFrequency.
    void configure(double shiftHz, double symbolRate) noexcept;
    void setFrequency(double hz) noexcept;  // centre / carrier audio frequency
    void setSampleRate(int rate) noexcept;  // samples per second

    // The next output sample (about +-32767 at full scale). symbolEnd becomes true when
    // this sample completed a symbol.
    int next(bool& symbolEnd) noexcept;

    // The symbol the next symbol period fades from and the one it fades to.
    void setSymbol(int symbol) noexcept
    {
        m_previousSymbol = m_currentSymbol;
        m_currentSymbol = static_cast<int16_t>(symbol);
    }
    void setPreviousSymbol(int symbol) noexcept { m_previousSymbol = static_cast<int16_t>(symbol); }
    // Starts the next symbol period now (a transmission begins on a whole symbol).
    void resetSymbolClock() noexcept { m_symbolClock = 0; }
    int currentSymbol() const noexcept { return m_currentSymbol; }
    int previousSymbol() const noexcept { return m_previousSymbol; }

    double frequency() const noexcept { return m_frequency; }
    double shift() const noexcept { return m_shift; }
    double symbolRate() const noexcept { return m_symbolRate; }
    int sampleRate() const noexcept { return m_sampleRate; }
    uint32_t symbolIncrement() const noexcept { return m_symbolIncrement; }
    int16_t carrierIncrement() const noexcept { return m_carrierIncrement; }
    int16_t upperIncrement() const noexcept { return m_upperIncrement; }
    int16_t lowerIncrement() const noexcept { return m_lowerIncrement; }

private:
    void recompute() noexcept;

    const SineTable* m_table;
    uint32_t m_symbolClock = 0;
    uint32_t m_symbolIncrement = 0;
    uint16_t m_phase = 0;
    int16_t m_carrierIncrement = 0;
    int16_t m_upperIncrement = 0;
    int16_t m_lowerIncrement = 0;
    double m_shift = 15.625;
    double m_symbolRate = 31.25;
    double m_frequency = 1000.0;
    int m_sampleRate = 11025;
    int16_t m_previousSymbol = kSilence;
    int16_t m_currentSymbol = kSilence;
};

}  // namespace vexa::engine
