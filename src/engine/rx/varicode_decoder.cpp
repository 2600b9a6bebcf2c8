#include "engine/rx/varicode_decoder.h"

#include <cmath>

#include "engine/dsp/wrap_int.h"
#include "engine/rx/varicode_table.h"

namespace vexa::engine {
namespace {

std::array<uint16_t, kVaricodeDecodeEntries> makeDecodeTable() noexcept
{
    std::array<uint16_t, kVaricodeDecodeEntries> table{};
    for (int c = 0; c < kVaricodeCodes; ++c) {
        const unsigned index = kVaricodeTable[static_cast<std::size_t>(c)] >> 1;
        if (index < table.size()) table[index] = static_cast<uint16_t>(c);
    }
    return table;
}

// Angle of (i, q) in 32-bit phase units, negated: 683565275 is about 2^31 / pi.
int32_t negatedAngle32(int32_t i, int32_t q) noexcept
{
    const double a = std::atan2(static_cast<double>(q), static_cast<double>(i)) * -683565275.0;
    return static_cast<int32_t>(static_cast<int64_t>(a));
}

}  // namespace

const std::array<uint16_t, kVaricodeDecodeEntries>& varicodeDecodeTable() noexcept
{
    static const auto table = makeDecodeTable();
    return table;
}

void VaricodeDecoder::bit(int b)
{
    m_bitRegister = static_cast<uint16_t>((m_bitRegister << 1) | (b & 1));
    if ((m_bitRegister & 7) != 4) return;
    const unsigned code = m_bitRegister >> 3;
    if (code < kVaricodeDecodeEntries && m_text != nullptr)
        m_text->put(m_channel, varicodeDecodeTable()[code]);
    m_bitRegister = 0;
}

void VaricodeDecoder::symbol(int32_t i, int32_t q, int32_t /*level*/)
{
    const int32_t theta = negatedAngle32(i, q);
    int32_t d = wrap::sub(wrap::neg(m_reference), theta);
    m_lastPhaseDifference = d;
    // A one when the phase moved by less than a quarter turn either way from where the
    // drift-corrected reference expects it.
    const int b = wrap::add(wrap::sub(d, m_drift), 0x40000000) > 0 ? 1 : 0;
    bit(b);

    m_drift = wrap::sub(wrap::sub(m_drift, m_drift >> 8), m_drift >> 7);
    m_jitter = wrap::sub(wrap::sub(m_jitter, m_jitter >> 6), m_jitter >> 5);
    if (b == 0) {
        d = wrap::add(d, INT32_MIN);  // a half turn
        m_reference = wrap::add(m_reference, INT32_MIN);
    }
    m_drift = wrap::add(m_drift, d >> 7);
    m_reference = wrap::add(m_reference, wrap::add(m_drift, d) >> 1);
    m_jitter = wrap::add(m_jitter, wrap::sub(d, m_previousResidual));
    m_previousResidual = d;
}

void VaricodeDecoder::reset()
{
    m_bitRegister = 0;
    m_prevX = 0;
    m_prevY = 0;
}

}  // namespace vexa::engine
