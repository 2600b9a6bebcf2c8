// The RTTY receiver: the shared front end with the band-pass correlator that passes both
// tones, a phase discriminator giving the instantaneous frequency, a slicer with
// hysteresis, bit timing recovered from the transitions, and the Baudot decoder.
// Tune it (setFrequency) to the centre between mark and space; with polarity 0 the upper
// tone is mark. 45.45 or 100 Bd through setSymbolRate.
#pragma once

#include <array>
#include <cstdint>

#include "engine/rx/baudot_decoder.h"
#include "engine/rx/psk_demodulator.h"

namespace vexa::engine {

class RttyDemodulator : public PskDemodulator {
public:
    static constexpr int kDiscriminatorClamp = 200;  // per decimated sample
    static constexpr int kHysteresis = 200;          // on the windowed discriminator sum
    static constexpr int kRingSize = 16;             // capacity; the window is at most one bit long

    explicit RttyDemodulator(const SineTable& table) noexcept;

    // 0: the upper tone is mark; 1: the lower tone is mark (the "DigiSide" setting
    // differing from the reverse flag).
    void setPolarity(int polarity) noexcept { m_polarity = polarity != 0 ? 1 : 0; }
    int polarity() const noexcept { return m_polarity; }

    // Also sets the discriminator window to one bit period (16 decimated samples at
    // 45.45 Bd, 7 at 100 Bd) and clears it.
    void setSymbolRate(double bd) noexcept override;
    int windowLength() const noexcept { return m_windowLength; }

    BaudotDecoder& decoder() noexcept { return m_decoder; }
    const BaudotDecoder& decoder() const noexcept { return m_decoder; }

    // Indicator for the spectrum window: sum of the clamped discriminator values over the
    // window (the last 16 at 45.45 Bd), positive when the signal sits above the receive
    // frequency. level() is the other.
    int32_t discriminatorSum() const noexcept { return m_discriminatorSum; }
    int detectorState() const noexcept { return m_detector; }

    // End of a recording: hands the decoder the bits of the tone still on the line, as a
    // transition would. Live receive never needs it; a file that ends on mark does.
    void endOfInput() noexcept;

    int32_t bitTiming() const noexcept { return m_bitTiming; }

protected:
    void decimatedStep() noexcept override;
    // Slicer and bit timing for one raw discriminator value (clamped here); separate so a
    // test can drive the detector with exact values.
    void detectorStep(int32_t discriminator) noexcept;

private:
    void deliverBits() noexcept;

    BaudotDecoder m_decoder;
    int32_t m_discriminatorSum = 0;
    std::array<int32_t, kRingSize> m_ring{};
    int m_ringIndex = 0;
    int m_windowLength = kRingSize;
    int m_detector = 0;
    int32_t m_bitTiming = 0;  // 65536 per bit period
    int m_polarity = 0;
};

}  // namespace vexa::engine
