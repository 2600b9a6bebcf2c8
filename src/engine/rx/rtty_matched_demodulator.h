// The weak-signal RTTY receiver: one filter matched to a bit per tone (the tone mixed to
// baseband and summed over one bit), the envelope of each, a mark/space decision with
// automatic threshold correction, and character framing that finds the start edge,
// refines the bit timing over the whole character and drops frames whose stop bit reads
// as space. Validated characters go to the same BaudotDecoder as the discriminator
// receiver's. Tune it (setFrequency) to the centre between mark and space; with polarity 0
// the upper tone is mark. Works at 45.45 and 100 Bd, 170 or 180 Hz shift.
//
// Floating point inside; nothing here allocates, and there are no virtual calls per
// sample (only per character, into the decoder's text sink).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/rx/baudot_decoder.h"

namespace vexa::engine {

class RttyMatchedDemodulator {
public:
    RttyMatchedDemodulator() noexcept;

    // Receive frequency: the centre of the two tones.
    void setFrequency(double hz) noexcept;
    // Samples per second of the input; 0 (or less) stops the receiver.
    void setSampleRate(int rate) noexcept;
    // 45.45 or 100 Bd (any rate from 10 to 300 Bd works).
    void setSymbolRate(double bd) noexcept;
    // 0: the upper tone is mark; 1: the lower tone is mark.
    void setPolarity(int polarity) noexcept { m_polarity = polarity != 0 ? 1 : 0; }
    int polarity() const noexcept { return m_polarity; }
    // Clears the filters, the framing and the learnt tone levels; the decoder's shift stays.
    void reset() noexcept;

    void process(int16_t sample) noexcept { processBlock(std::span<const int16_t>(&sample, 1)); }
    void processBlock(std::span<const int16_t> samples) noexcept;
    // End of a recording: pushes the last character through the filters and the framing.
    void endOfInput() noexcept;

    BaudotDecoder& decoder() noexcept { return m_decoder; }
    const BaudotDecoder& decoder() const noexcept { return m_decoder; }

    // Indicators on the discriminator receiver's scale: the sum over one bit of the tone
    // offset from the receive frequency as 256 x tan(2 pi f / 750 Hz), each value clamped
    // to +-200 (a clean tone on the upper filter reads +3200); positive above the centre.
    int32_t discriminatorSum() const noexcept { return m_discriminatorSum; }
    // 1 while the upper tone wins the threshold-corrected decision.
    int detectorState() const noexcept { return m_detector; }
    // Bit length of the stronger tone's energy (mean amplitude over the bit, squared).
    int32_t level() const noexcept { return m_level; }

    double frequency() const noexcept { return m_centreHz; }
    int sampleRate() const noexcept { return m_sampleRate; }
    double symbolRate() const noexcept { return m_symbolRateBd; }
    int samplesPerStep() const noexcept { return m_stepLength; }

private:
    // Decision values per bit: the timing resolution of the framing and the length of the
    // indicator window (the discriminator receiver also sums 16 values).
    static constexpr int kStepsPerBit = 16;
    // The filters sit halfway between the 170 Hz shift of most stations and the 180 Hz
    // Vexa sends; 5 Hz off a one-bit filter costs under 0.2 dB at 45.45 Bd.
    static constexpr double kFilterShiftHz = 175.0;
    static constexpr int kHistory = 256;  // decision values kept, > 8 bits

    struct Phasor {
        float re = 1.0F;
        float im = 0.0F;
    };
    struct Decision {
        float d = 0.0F;     // threshold-corrected mark minus space
        float mark = 0.0F;  // envelopes
        float space = 0.0F;
    };
    // Mean envelope of one tone while it is on and while it is off, learnt from the bits of
    // accepted characters; the threshold sits halfway between.
    struct ToneLevels {
        float on = 0.0F;
        float off = 0.0F;
        int onCount = 0;
        int offCount = 0;
        float threshold() const noexcept { return 0.5F * (on + off); }
        void learn(bool isOn, float envelope) noexcept;
    };

    void configure() noexcept;
    void step() noexcept;
    void updateIndicators(double upperRe, double upperIm, double lowerRe, double lowerIm, float upper,
                          float lower) noexcept;
    void frame() noexcept;
    // Decides the character whose start edge crossed zero at m_crossing; false when the
    // decision values it needs are not all in yet.
    bool decideCharacter() noexcept;
    float frameScore(double crossing) const noexcept;
    double firstBitPosition(double crossing) const noexcept;
    // The decision value between two steps, linearly interpolated.
    float valueAt(double position) const noexcept;
    const Decision& at(int64_t index) const noexcept
    {
        return m_history[static_cast<std::size_t>(index & (kHistory - 1))];
    }

    BaudotDecoder m_decoder;

    // Settings.
    double m_centreHz = 1000.0;
    int m_sampleRate = 11025;
    double m_symbolRateBd = 45.45;
    int m_polarity = 0;
    int m_stepLength = 15;        // samples per decision value
    double m_stepsPerBit = 16.0;  // exact bit length in decision values
    Phasor m_upperStep;           // oscillator increments
    Phasor m_lowerStep;
    float m_phaseToIndicator = 0.0F;  // radians per step -> radians per 1/750 s

    // Filters: per tone, the current partial step and a moving sum of kStepsPerBit steps.
    Phasor m_upperOsc;
    Phasor m_lowerOsc;
    int m_inStep = 0;
    float m_upperRe = 0.0F, m_upperIm = 0.0F, m_lowerRe = 0.0F, m_lowerIm = 0.0F;
    std::array<float, kStepsPerBit> m_ringUpperRe{}, m_ringUpperIm{}, m_ringLowerRe{}, m_ringLowerIm{};
    double m_sumUpperRe = 0.0, m_sumUpperIm = 0.0, m_sumLowerRe = 0.0, m_sumLowerIm = 0.0;
    double m_prevUpperRe = 0.0, m_prevUpperIm = 0.0, m_prevLowerRe = 0.0, m_prevLowerIm = 0.0;
    int m_ringIndex = 0;

    // Threshold correction.
    ToneLevels m_markLevels;
    ToneLevels m_spaceLevels;

    // Framing over the history of decision values.
    std::array<Decision, kHistory> m_history{};
    int64_t m_written = 1;              // index of the next decision value (index 0 is a quiet mark)
    int64_t m_read = kStepsPerBit + 1;  // next index the start-edge search looks at
    bool m_inCharacter = false;
    double m_crossing = 0.0;            // interpolated zero crossing of the start edge
    std::optional<double> m_lastStart;  // the timing of the last accepted character
    int m_characterHalves = 0;          // start-to-start in half bits; 0: not known

    // Indicators.
    std::array<int32_t, kStepsPerBit> m_indicatorRing{};
    int32_t m_discriminatorSum = 0;
    int m_detector = 0;
    int32_t m_level = 0;
};

}  // namespace vexa::engine
