#include "engine/rx/qpsk_decoder.h"

#include <cmath>

#include "engine/dsp/wrap_int.h"

namespace vexa::engine {
namespace {

// Cost of receiving dibit m when g was expected: 0 for a match, 2 for a quarter turn off,
// 3 for a half turn off.
constexpr int32_t kDistance[4][4] = {
    {0, 2, 3, 2},
    {2, 0, 2, 3},
    {3, 2, 0, 2},
    {2, 3, 2, 0},
};

// Start metrics favour state 15 (all ones in: the idle stream of inverted zeros).
constexpr std::array<int32_t, QpskDecoder::kStates> kInitialMetric = {9, 10, 5, 7, 7, 5, 8, 9,
                                                                      7, 5,  7, 6, 5, 4, 2, 0};

constexpr int kDibitByQuadrant[4] = {0, 3, 1, 2};

}  // namespace

QpskDecoder::QpskDecoder(TextSink* text) noexcept : VaricodeDecoder(text)
{
    reset();
}

void QpskDecoder::reset()
{
    VaricodeDecoder::reset();
    m_metric = kInitialMetric;
    for (int k = 0; k < kStates; ++k) m_path[static_cast<std::size_t>(k)] = static_cast<uint32_t>(k - 16);
}

void QpskDecoder::symbol(int32_t i, int32_t q, int32_t /*level*/)
{
    // Four times the angle, 65536 per turn: the modulation is removed and what is left
    // is the carrier's drift per symbol. The previous value lives in the reference field
    // and the previous scaled error in the previous residual.
    const double angle4 = std::atan2(static_cast<double>(q), static_cast<double>(i)) * 41721.0;
    const auto a = static_cast<int32_t>(static_cast<int64_t>(angle4));
    const auto step =
        static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(wrap::sub(a, m_reference))));
    m_reference = a;
    const int32_t e = step * 200;
    m_drift = wrap::add(wrap::sub(wrap::sub(m_drift, m_drift >> 8), m_drift >> 7), e);
    m_jitter = wrap::add(
        wrap::sub(wrap::sub(wrap::sub(m_jitter, m_jitter >> 6), m_jitter >> 5), m_previousResidual), e);
    m_previousResidual = e;

    const int32_t x = i >> 17;
    const int32_t y = q >> 17;
    const int32_t dot = wrap::add(wrap::mul(m_prevX, x), wrap::mul(m_prevY, y));
    const int32_t cross = wrap::sub(wrap::mul(m_prevX, y), wrap::mul(m_prevY, x));
    const int k = (wrap::sub(dot, cross) < 0 ? 1 : 0) + (wrap::add(dot, cross) < 0 ? 2 : 0);
    int m = kDibitByQuadrant[k];
    m_prevX = x;
    m_prevY = y;
    if (m_inverted != 0) m = (4 - m) & 3;
    m_lastDibit = m;

    std::array<int32_t, 32> c{};
    std::array<uint32_t, 32> p{};
    int32_t r = 255;
    for (std::size_t s = 0; s < 32; ++s) {
        c[s] = kDistance[m][kQpskEncoderOutput[s]] + m_metric[s >> 1];
        if (c[s] < r) r = c[s];
        p[s] = (m_path[s >> 1] << 1) | static_cast<uint32_t>(s & 1);
    }
    for (std::size_t j = 0; j < kStates; ++j) {
        const std::size_t s = c[j] >= c[j + 16] ? j + 16 : j;  // ties go to the upper state
        m_metric[j] = c[s] - r;
        m_path[j] = p[s];
    }

    // Twenty symbols back the survivors have merged; the encoder sent inverted data bits,
    // so a majority of ones there is a zero.
    int n = 0;
    for (const uint32_t path : m_path) n += (path >> 20) & 1;
    bit(n < 8 ? 1 : 0);
}

}  // namespace vexa::engine
