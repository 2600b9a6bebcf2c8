#include "engine/rx/psk_demodulator.h"

#include <algorithm>
#include <cmath>

#include "engine/dsp/energy_log.h"

namespace vexa::engine {
namespace {

// double -> integer by truncation toward zero, then wrapped to 16 bits. Going through
// int64 first keeps out-of-range values defined; non-finite values give 0.
uint16_t truncTo16(double v) noexcept
{
    if (!std::isfinite(v) || std::fabs(v) >= 9.0e18) return 0;
    return static_cast<uint16_t>(static_cast<int64_t>(v));
}

}  // namespace

PskDemodulator::PskDemodulator(const SineTable& table) noexcept : PskDemodulator(table, kPskDemodulatorConfig)
{
}

PskDemodulator::PskDemodulator(const SineTable& table, const DemodulatorConfig& config) noexcept
    : m_table(&table),
      m_coefficients(*config.coefficients),
      m_decimatedRateHz(config.decimatedRateHz),
      m_symbolRateBd(config.symbolRateBd)
{
    setSampleRate(kInitialSampleRate);
    reset();
}

void PskDemodulator::setFrequency(double hz) noexcept
{
    m_carrierHz = hz;
    m_ncoIncrement =
        m_sampleRate == 0 ? int16_t{0} : static_cast<int16_t>(truncTo16(hz / m_sampleRate * 65536.0));
}

void PskDemodulator::setSampleRate(int rate) noexcept
{
    m_sampleRate = rate;
    // The moving-sum rings hold 32 entries; rates above about 16 kHz would ask for longer
    // sums, so the length is capped rather than let the ring position run past the end.
    m_ringLength = std::min((rate + m_decimatedRateHz / 2) / m_decimatedRateHz, kRingCapacity);
    if (rate > 0) {
        m_decimationIncrement = truncTo16(static_cast<double>(m_decimatedRateHz) * 65536.0 / rate);
        m_symbolIncrement = truncTo16(m_symbolRateBd * 65536.0 / m_decimatedRateHz);
    } else {
        m_decimationIncrement = 0;
        m_symbolIncrement = 0;
    }
    setFrequency(m_carrierHz);
}

void PskDemodulator::setSymbolRate(double bd) noexcept
{
    m_symbolRateBd = bd;
    m_symbolIncrement = truncTo16(bd * 65536.0 / m_decimatedRateHz);
}

void PskDemodulator::reset() noexcept
{
    m_ringI1.fill(0);
    m_ringQ1.fill(0);
    m_ringI2.fill(0);
    m_ringQ2.fill(0);
    m_sumQ1 = m_sumQ2 = m_sumI1 = m_sumI2 = 0;
    m_ringPosition = 0;
    m_ncoPhase = 0;
    m_decimationClock = 0;
    m_symbolClock = 0;
    m_index = 0;
    if (m_sink != nullptr) m_sink->reset();
}

void PskDemodulator::Correlate(int32_t& iOut, int32_t& qOut) const noexcept
{
    // Accumulated in unsigned 32 bits: the sums are defined to wrap.
    uint32_t si = 0;
    uint32_t sq = 0;
    for (int j = 0; j < kTaps; ++j) {
        const auto k = static_cast<std::size_t>((m_index + j) & (kTaps - 1));
        const auto c = static_cast<uint32_t>(m_coefficients[static_cast<std::size_t>(j)]);
        si += c * static_cast<uint32_t>(m_historyI[k]);
        sq += c * static_cast<uint32_t>(m_historyQ[k]);
    }
    iOut = static_cast<int32_t>(si);
    qOut = static_cast<int32_t>(sq);
}

void PskDemodulator::decimatedFront(int32_t& si, int32_t& sq) noexcept
{
    const auto k = static_cast<std::size_t>(m_index);
    m_historyQ[k] = m_sumQ2 >> 10;
    m_historyI[k] = m_sumI2 >> 10;
    m_index = (m_index + 1) & (kTaps - 1);
    Correlate(si, sq);
}

bool PskDemodulator::symbolClockStep(int32_t timingValue) noexcept
{
    m_timing[static_cast<std::size_t>(m_symbolClock >> 12)] = timingValue;
    int32_t error = 0;
    for (std::size_t k = 0; k < kTimingSlots / 2; ++k)
        error = wrap::add(error, wrap::sub(m_timing[k], m_timing[k + kTimingSlots / 2]));
    // The clock settles where the energy of the first half of the symbol equals that of
    // the second half: a late clock (more energy early) is slowed, an early one sped up.
    const int32_t next =
        wrap::add(wrap::sub(int32_t{m_symbolIncrement}, wrap::mul(4, error)), int32_t{m_symbolClock});
    m_symbolClock = static_cast<uint16_t>(next);
    return next > 0xFFFF;
}

int32_t PskDemodulator::phaseStep(int32_t si, int32_t sq, int32_t scale) noexcept
{
    // Cross over dot is the tangent of the angle between this correlator output and the
    // previous one. The products wrap in 32 bits for strong signals.
    const int32_t i = si >> 16;
    const int32_t q = sq >> 16;
    int32_t dot = wrap::add(wrap::mul(i, m_prevI), wrap::mul(q, m_prevQ));
    if (dot == 0) dot = 1;
    const int32_t cross =
        wrap::sub(wrap::mul(wrap::mul(i, scale), m_prevQ), wrap::mul(wrap::mul(q, m_prevI), scale));
    m_prevI = i;
    m_prevQ = q;
    m_level = energyBitLength(wrap::add(wrap::mul(i, i), wrap::mul(q, q)));
    return wrap::div(cross, dot);
}

void PskDemodulator::decimatedStep() noexcept
{
    int32_t si = 0;
    int32_t sq = 0;
    decimatedFront(si, sq);

    // For PSK the phase step only feeds the indicator, so its wrapping is harmless.
    m_discriminator = wrap::add(phaseStep(si, sq, 4096), wrap::sub(m_discriminator, m_discriminator >> 12));
    const int32_t timingValue = 30 + m_level;
    if (symbolClockStep(timingValue) && m_sink != nullptr) m_sink->symbol(si, sq, timingValue);
}

}  // namespace vexa::engine
