#include "engine/tx/varicode_encoder.h"

namespace vexa::engine {

void VaricodeEncoder::setCode(unsigned word, unsigned character) noexcept
{
    if (character > 255) return;
    uint32_t w = word & 0xFFFF;
    if (w == 0) {
        w = 0x8000;
    } else {
        while ((w & 0x8000) == 0) w <<= 1;
    }
    // Two zero bits in front separate this character from the one before.
    m_table->entries[character] = static_cast<uint16_t>(w >> 2);
}

void VaricodeEncoder::loadChar(unsigned character) noexcept
{
    if (character > 255) return;
    m_register = m_table->entries[character];
}

int VaricodeEncoder::nextSymbol(bool& needChar) noexcept
{
    const auto a = static_cast<int16_t>(m_register);
    m_register = static_cast<uint16_t>(m_register << 1);
    if (a >= 0) m_phaseIndex = static_cast<int16_t>((m_phaseIndex - 2) & 3);
    needChar = (a & 0x7FFF) == 0;
    return m_phaseIndex;
}

void buildTransmitTable(VaricodeEncoder& encoder, const std::array<uint16_t, 256>& varicode) noexcept
{
    for (unsigned c = 0; c < 256; ++c) encoder.setCode(varicode[c], c);
}

}  // namespace vexa::engine
