#include "engine/tx/qpsk_encoder.h"

namespace vexa::engine {

QpskEncoder::QpskEncoder(TransmitTable& table) noexcept : VaricodeEncoder(table) {}

int QpskEncoder::nextSymbol(bool& needChar) noexcept
{
    const int topBit = (m_register >> 15) & 1;
    // The inverse of the data bit enters the code, so an idle register (zeros) keys ones.
    m_state = ((m_state << 1) + (1 - topBit)) & 31;
    int d = kG[static_cast<std::size_t>(m_state)];
    if (m_inverted != 0) d = 4 - d;
    m_phaseIndex = static_cast<int16_t>((m_phaseIndex + d) & 3);
    m_register = static_cast<uint16_t>(m_register << 1);
    needChar = m_register == 0;
    return m_phaseIndex;
}

}  // namespace vexa::engine
