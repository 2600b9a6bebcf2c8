// The receive front end shared by every demodulator: an NCO mixes each input sample to
// baseband, two cascaded moving sums low-pass and decimate it, a 64-tap correlator filters
// the decimated I/Q streams, and an early-late clock finds the symbol centres. This class is
// also the PSK31/QPSK demodulator itself; the RTTY and FSK31 demodulators derive from it,
// pass their own configuration to the protected constructor and override decimatedStep().
//
// All per-sample arithmetic is integer and follows a fixed order of truncations, shifts and
// 32-bit wraps: for the same input samples the same symbols come out, bit for bit.
// Phases are 16-bit (65536 = one turn). Not thread-safe; nothing here allocates.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/dsp/correlator_coefficients.h"
#include "engine/dsp/sine_table.h"
#include "engine/dsp/wrap_int.h"
#include "engine/rx/symbol_sink.h"

namespace vexa::engine {

// The constants that distinguish one demodulator class from another.
struct DemodulatorConfig {
    int decimatedRateHz;
    double symbolRateBd;
    const CorrelatorCoefficients* coefficients;
};

inline constexpr DemodulatorConfig kPskDemodulatorConfig{500, 31.25, &kPskCoefficients};
inline constexpr DemodulatorConfig kFsk31DemodulatorConfig{500, 31.25, &kFsk31Coefficients};
inline constexpr DemodulatorConfig kRttyDemodulatorConfig{750, 45.45, &kRttyCoefficients};

class PskDemodulator {
public:
    static constexpr int kRingCapacity = 32;  // longest moving sum, samples
    static constexpr int kTaps = 64;
    static constexpr int kTimingSlots = 16;
    static constexpr double kInitialFrequencyHz = 700.0;
    static constexpr int kInitialSampleRate = 11025;

    // A PSK31/QPSK demodulator at 700 Hz and 11025 samples/s with no sink. The table is
    // shared and must outlive the demodulator.
    explicit PskDemodulator(const SineTable& table) noexcept;
    virtual ~PskDemodulator() = default;
    PskDemodulator(const PskDemodulator&) = default;
    PskDemodulator& operator=(const PskDemodulator&) = default;

    // Where symbols go (PSK) or bits go (FSK31); nullptr for none. Not owned.
    void setSink(SymbolSink* sink) noexcept { m_sink = sink; }
    SymbolSink* sink() const noexcept { return m_sink; }

    // Carrier frequency in Hz; the NCO increment is trunc(hz / rate * 65536) wrapped to
    // 16 bits, so a frequency above half the sample rate mixes its alias.
    void setFrequency(double hz) noexcept;
    // Samples per second of the input. A rate of 0 (or less) stops the NCO and the clocks.
    void setSampleRate(int rate) noexcept;
    // Symbol rate in Bd (the RTTY speed).
    virtual void setSymbolRate(double bd) noexcept;
    // Clears the streaming state (moving sums, NCO phase, clocks, correlator index) and
    // resets the sink. The correlator histories, the timing history, the previous I/Q and
    // the level are deliberately kept.
    void reset() noexcept;

    // One input sample; runs the decimated-sample step whenever the decimation clock wraps.
    void process(int16_t sample) noexcept
    {
        if (mixAndDecimate(sample)) decimatedStep();
    }
    void processBlock(std::span<const int16_t> samples) noexcept
    {
        for (const int16_t s : samples) process(s);
    }

    // Indicators for the spectrum display.
    int32_t discriminator() const noexcept { return m_discriminator; }
    int32_t level() const noexcept { return m_level; }

    double frequency() const noexcept { return m_carrierHz; }
    int sampleRate() const noexcept { return m_sampleRate; }
    double symbolRate() const noexcept { return m_symbolRateBd; }
    int decimatedRate() const noexcept { return m_decimatedRateHz; }
    int ringLength() const noexcept { return m_ringLength; }
    int16_t ncoIncrement() const noexcept { return m_ncoIncrement; }
    uint16_t decimationIncrement() const noexcept { return m_decimationIncrement; }
    uint16_t symbolIncrement() const noexcept { return m_symbolIncrement; }
    uint16_t ncoPhase() const noexcept { return m_ncoPhase; }
    uint16_t symbolClock() const noexcept { return m_symbolClock; }
    const std::array<int32_t, kTimingSlots>& timingHistory() const noexcept { return m_timing; }

protected:
    PskDemodulator(const SineTable& table, const DemodulatorConfig& config) noexcept;

    // The per-mode work at the decimated rate (500 or 750 per second). The PSK version
    // runs the phase discriminator, the level and the symbol clock and emits symbols.
    virtual void decimatedStep() noexcept;

    // Mixer and two-stage moving-sum decimator for one sample; true when the decimation
    // clock wrapped and a decimated sample is ready.
    bool mixAndDecimate(int16_t sample) noexcept
    {
        m_ncoPhase = static_cast<uint16_t>(m_ncoPhase + static_cast<uint16_t>(m_ncoIncrement));
        const int32_t s = sample;
        const int32_t i = (m_table->Sin16(static_cast<uint16_t>(m_ncoPhase + 0x4000)) * s) >> 16;
        const int32_t q = (m_table->Sin16(m_ncoPhase) * s) >> 16;
        MovingSum2(i, m_sumI1, m_sumI2, m_ringI1, m_ringI2);
        MovingSum2(q, m_sumQ1, m_sumQ2, m_ringQ1, m_ringQ2);
        // ">=" rather than "==": with a ring length of 0 (sample rate 0) the position
        // must go back to 0 after every sample instead of running off the ring.
        if (++m_ringPosition >= m_ringLength) m_ringPosition = 0;
        const uint32_t clock = uint32_t{m_decimationClock} + m_decimationIncrement;
        m_decimationClock = static_cast<uint16_t>(clock);
        return clock > 0xFFFF;
    }

    // Two cascaded boxcar sums at the current ring position.
    void MovingSum2(int32_t x, int32_t& sum1, int32_t& sum2, std::array<int32_t, kRingCapacity>& ring1,
                    std::array<int32_t, kRingCapacity>& ring2) noexcept
    {
        const auto k = static_cast<std::size_t>(m_ringPosition);
        sum1 = wrap::add(sum1, wrap::sub(x, ring1[k]));
        ring1[k] = x;
        sum2 = wrap::add(sum2, wrap::sub(sum1, ring2[k]));
        ring2[k] = sum1;
    }

    // 64-tap correlation of the I and Q histories; coefficient 0 meets the oldest sample.
    void Correlate(int32_t& iOut, int32_t& qOut) const noexcept;

    // Common start of every decimated-sample step: store the scaled stage-2 sums in the
    // histories, advance the index and correlate.
    void decimatedFront(int32_t& si, int32_t& sq) noexcept;

    // scale x tan of the phase turned since the previous decimated sample, from the
    // correlator outputs (taken >> 16). Also moves them into the previous I/Q and sets the
    // level from their energy.
    int32_t phaseStep(int32_t si, int32_t sq, int32_t scale) noexcept;

    // The early-late symbol clock, once per decimated sample; true when a symbol is complete.
    bool symbolClockStep(int32_t timingValue) noexcept;

    int32_t m_discriminator = 0;
    int32_t m_level = 0;
    const SineTable* m_table;
    SymbolSink* m_sink = nullptr;
    uint16_t m_ncoPhase = 0;
    int16_t m_ncoIncrement = 0;
    uint16_t m_decimationClock = 0;
    uint16_t m_decimationIncrement = 0;
    uint16_t m_symbolClock = 0;
    uint16_t m_symbolIncrement = 0;
    double m_carrierHz = kInitialFrequencyHz;
    int m_sampleRate = kInitialSampleRate;
    int m_ringPosition = 0;
    int m_ringLength = 0;
    int m_index = 0;
    CorrelatorCoefficients m_coefficients{};
    std::array<int32_t, kTaps> m_historyI{};
    std::array<int32_t, kTaps> m_historyQ{};
    std::array<int32_t, kRingCapacity> m_ringI1{};
    std::array<int32_t, kRingCapacity> m_ringQ1{};
    std::array<int32_t, kRingCapacity> m_ringI2{};
    std::array<int32_t, kRingCapacity> m_ringQ2{};
    int32_t m_sumQ1 = 0;
    int32_t m_sumQ2 = 0;
    int32_t m_sumI1 = 0;
    int32_t m_sumI2 = 0;
    int32_t m_prevI = 0;
    int32_t m_prevQ = 0;
    std::array<int32_t, kTimingSlots> m_timing{};
    int m_decimatedRateHz = 0;
    double m_symbolRateBd = 0.0;
};

}  // namespace vexa::engine
