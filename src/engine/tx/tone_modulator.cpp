#include "engine/tx/tone_modulator.h"

#include <array>
#include <cmath>

namespace vexa::engine {
namespace {

// Constellation points of symbols 0 to 9 (5 to 9 repeat 0 to 4).
constexpr std::array<int, 10> kI = {1, 0, -1, 0, 0, 1, 0, -1, 0, 0};
constexpr std::array<int, 10> kQ = {0, -1, 0, 1, 0, 0, -1, 0, 1, 0};

// Phase increment per sample as a 16-bit value; a frequency above half the sample rate
// wraps like every other 16-bit increment in the engine.
int16_t increment16(double hz, int sampleRate) noexcept
{
    if (hz == 0.0 || sampleRate == 0) return 0;
    const double turns = hz / sampleRate * 65536.0;
    if (!std::isfinite(turns) || std::fabs(turns) >= 9.0e18) return 0;  // no defined conversion
    const auto wide = static_cast<int64_t>(turns);
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(wide) & 0xFFFF));
}

}  // namespace

ToneModulator::ToneModulator(const SineTable& table) noexcept : m_table(&table)
{
    recompute();
}

void ToneModulator::configure(double shiftHz, double symbolRate) noexcept
{
    if (!std::isfinite(shiftHz) || !std::isfinite(symbolRate)) return;
    m_shift = shiftHz;
    m_symbolRate = symbolRate;
    recompute();
}

void ToneModulator::setFrequency(double hz) noexcept
{
    // A NaN from a corrupt click or AFC step would leave every later increment undefined;
    // the tone stays where it was.
    if (!std::isfinite(hz)) return;
    m_frequency = hz;
    recompute();
}

void ToneModulator::setSampleRate(int rate) noexcept
{
    m_sampleRate = rate;
    recompute();
}

void ToneModulator::recompute() noexcept
{
    if (m_frequency == 0.0 || m_sampleRate == 0) {
        m_carrierIncrement = m_upperIncrement = m_lowerIncrement = 0;
        m_symbolIncrement = 0;
        return;
    }
    m_carrierIncrement = increment16(m_frequency, m_sampleRate);
    m_upperIncrement = increment16(m_frequency + m_shift / 2, m_sampleRate);
    m_lowerIncrement = increment16(m_frequency - m_shift / 2, m_sampleRate);
    const double perSample = m_symbolRate * 4294967296.0 / m_sampleRate;
    const auto wide = std::fabs(perSample) < 9.0e18 ? static_cast<int64_t>(perSample) : int64_t{0};
    m_symbolIncrement = static_cast<uint32_t>(static_cast<uint64_t>(wide));
}

int ToneModulator::next(bool& symbolEnd) noexcept
{
    const SineTable& t = *m_table;
    // Symbol progress as a cosine: +32767 at the start of the symbol, -32767 at its end.
    const int32_t b = t.Sin16(static_cast<uint16_t>((m_symbolClock >> 17) + 0x4000));
    const int64_t wp = b + 32767;  // weight of the symbol faded from
    const int64_t wc = 32767 - b;  // weight of the symbol faded to
    const int prev = m_previousSymbol;
    const int cur = m_currentSymbol;
    int sample;

    if (cur >= kRttyLower || prev >= kRttyLower) {
        // RTTY tones. The cross-fade tables stop at symbol 9, so a tone next to anything
        // that is not a tone fades in or out with the same raised cosine at its own pitch:
        // the key-up at the end of a transmission (and the first key-down) makes no click.
        const int tone = cur >= kRttyLower ? cur : prev;
        const int64_t c = t.Cos16(m_phase);
        if (cur >= kRttyLower && prev >= kRttyLower)
            sample = static_cast<int>(c);
        else if (cur >= kRttyLower)
            sample = static_cast<int>((c * wc) >> 16);
        else
            sample = static_cast<int>((c * wp) >> 16);
        m_phase = static_cast<uint16_t>(m_phase + (tone == kRttyUpper ? m_upperIncrement : m_lowerIncrement));
    } else if (cur < kFskLower || prev < kFskLower) {
        const int64_t c = t.Cos16(m_phase);
        const int64_t s = t.Sin16(m_phase);
        const int64_t acc =
            c * (wp * kI[static_cast<std::size_t>(prev)] + wc * kI[static_cast<std::size_t>(cur)]) +
            s * (wp * kQ[static_cast<std::size_t>(prev)] + wc * kQ[static_cast<std::size_t>(cur)]);
        sample = static_cast<int>(acc >> 16);
        m_phase = static_cast<uint16_t>(m_phase + m_carrierIncrement);
    } else {
        sample = t.Cos16(m_phase);
        m_phase = static_cast<uint16_t>(m_phase + (cur == kFskLower ? m_lowerIncrement : m_upperIncrement));
    }

    const uint32_t before = m_symbolClock;
    m_symbolClock += m_symbolIncrement;
    symbolEnd = m_symbolClock < before;
    return sample;
}

}  // namespace vexa::engine
