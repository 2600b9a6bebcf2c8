// FSK31 discriminator and symbol decision at the 500 Hz decimated rate.
#include "engine/rx/fsk31_demodulator.h"

#include <algorithm>

#include "engine/dsp/energy_log.h"

namespace vexa::engine {

Fsk31Demodulator::Fsk31Demodulator(const SineTable& table) noexcept
    : PskDemodulator(table, kFsk31DemodulatorConfig)
{
}

void Fsk31Demodulator::decimatedStep() noexcept
{
    int32_t si = 0;
    int32_t sq = 0;
    decimatedFront(si, sq);

    // A leaky sum over about eight decimated samples: a tone 8.3 Hz off centre turns by
    // 0.1 rad per sample, about 105 per sample after the scaling below, so the sum settles
    // near +-800 (the expected deviation).
    m_discriminator = wrap::sub(m_discriminator, m_discriminator >> 3);
    const int32_t i = si >> 12;
    const int32_t q = sq >> 12;
    int32_t dot = wrap::add(wrap::mul(i, m_prevI), wrap::mul(q, m_prevQ)) >> 10;
    if (dot == 0) dot = 1;
    const int32_t cross = wrap::sub(wrap::mul(i, m_prevQ), wrap::mul(q, m_prevI));
    m_discriminator = wrap::add(m_discriminator, wrap::div(cross, dot));
    m_prevI = i;
    m_prevQ = q;

    m_level = energyBitLength(wrap::add(wrap::mul(i, i), wrap::mul(q, q)));

    // The symbol clock balances the discriminator energy of the two half symbols: the
    // frequency swings through zero at a tone change and stays out at a kept tone.
    const int32_t timingValue = 30 + energyBitLength(wrap::mul(m_discriminator, m_discriminator));
    if (symbolClockStep(timingValue)) symbolDecision();
}

void Fsk31Demodulator::symbolDecision() noexcept
{
    if (m_correction == 0) m_afc = 0;
    m_discriminator = std::clamp(m_discriminator, -kDiscriminatorClamp, kDiscriminatorClamp);

    const int32_t c = m_discriminator - (m_afc >> 5);
    const int tone = c > 0 ? 1 : 0;
    // Outside the dead zone the accumulator learns how far the tone sits from its
    // expected +-800; inside it (a weak or mid-transition sample) it only decays.
    if (c > kDeadZone) {
        m_afc = wrap::add(m_afc, c - kToneDeviation);
    } else if (c < -kDeadZone) {
        m_afc = wrap::add(m_afc, c + kToneDeviation);
    } else {
        m_afc = wrap::sub(m_afc, m_afc >> 6);
    }
    m_correction = wrap::mul(m_afc, kCorrectionFactor);

    if (m_sink != nullptr) m_sink->bit(tone == m_previousTone ? 1 : 0);
    m_previousTone = tone;
}

}  // namespace vexa::engine
