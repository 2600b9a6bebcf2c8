// The FSK31 receiver: the varicode bit stream at 31.25 Bd on two tones 16.625 Hz apart
// (a one keeps the tone, a zero changes it). After the shared front end a discriminator
// measures the frequency, the early-late clock finds the symbol centres, and each symbol
// decision tracks the centre with its own AFC accumulator and hands one bit to the sink
// (the main channel's decoder selector, targeting the varicode decoder).
#pragma once

#include <cstdint>

#include "engine/rx/psk_demodulator.h"

namespace vexa::engine {

class Fsk31Demodulator : public PskDemodulator {
public:
    static constexpr int32_t kDiscriminatorClamp = 1600;
    static constexpr int32_t kToneDeviation = 800;  // discriminator units at +-8.3 Hz
    static constexpr int32_t kDeadZone = 200;
    static constexpr int32_t kCorrectionFactor = -25000;

    explicit Fsk31Demodulator(const SineTable& table) noexcept;

    // The AFC accumulator times -25000: the drift indicator the AFC step reads; the
    // receive frequency moves by -correction / 2^30 Hz. The AFC step writes back the
    // reduced value; writing 0 (the mode switch does) clears the accumulator at the next
    // symbol.
    int32_t publishedCorrection() const noexcept { return m_correction; }
    void setPublishedCorrection(int32_t value) noexcept { m_correction = value; }

    int32_t afcAccumulator() const noexcept { return m_afc; }
    int previousTone() const noexcept { return m_previousTone; }

protected:
    void decimatedStep() noexcept override;
    // Runs at each symbol centre on the current discriminator value; protected, with the
    // state below, so a test can drive a decision with exact values.
    void symbolDecision() noexcept;

    int32_t m_correction = 0;
    int32_t m_afc = 0;  // 32 per discriminator unit
    int m_previousTone = 0;
};

}  // namespace vexa::engine
