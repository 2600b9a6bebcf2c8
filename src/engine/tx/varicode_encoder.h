// Varicode transmit encoding: the shared transmit table (one 16-bit entry per character
// code, two separating zero bits followed by the varicode word) and the BPSK encoder that
// turns its bits into phase indexes, one per symbol: a zero bit is a phase reversal.
#pragma once

#include <array>
#include <cstdint>

namespace vexa::engine {

// Filled by VaricodeEncoder::setCode, read by every encoder that shares it.
struct TransmitTable {
    std::array<uint16_t, 256> entries{};
};

class VaricodeEncoder {
public:
    explicit VaricodeEncoder(TransmitTable& table) noexcept : m_table(&table) {}
    virtual ~VaricodeEncoder() = default;

    // Stores the transmit entry of character for the varicode word (read from its highest
    // one bit). Characters above 255 are ignored.
    virtual void setCode(unsigned word, unsigned character) noexcept;
    // Loads the entry of character into the bit register (ignored above 255).
    virtual void loadChar(unsigned character) noexcept;
    virtual void resetEncoder() noexcept { m_register = 0; }
    // The phase index (0 to 3) of the next symbol; needChar becomes true when the register
    // holds no more bits after this one.
    virtual int nextSymbol(bool& needChar) noexcept;

    uint16_t bitRegister() const noexcept { return m_register; }
    int phaseIndex() const noexcept { return m_phaseIndex; }
    const TransmitTable& table() const noexcept { return *m_table; }

protected:
    TransmitTable* m_table;
    uint16_t m_register = 0;
    int16_t m_phaseIndex = 0;
};

// Builds the whole transmit table from a 256-word varicode table.
void buildTransmitTable(VaricodeEncoder& encoder, const std::array<uint16_t, 256>& varicode) noexcept;

}  // namespace vexa::engine
