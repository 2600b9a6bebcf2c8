// The shared quarter-wave sine table and its 16-bit phase lookup. Phases are 16-bit
// (65536 = one turn); values are scaled to +-32767. Built once and shared by every
// demodulator and the modulator.
#pragma once

#include <array>
#include <cstdint>

namespace vexa::engine {

class SineTable {
public:
    static constexpr int kSize = 16385;  // a quarter turn, both ends included

    SineTable() noexcept;

    int32_t operator[](int i) const noexcept { return m_table[static_cast<std::size_t>(i)]; }

    // Sine of a 16-bit phase, folded onto the quarter table.
    int32_t Sin16(uint16_t phase16) const noexcept
    {
        const uint32_t p = phase16;
        if (p <= 0x4000) return m_table[p];
        if (p <= 0x8000) return m_table[0x8000 - p];
        if (p <= 0xC000) return -m_table[p - 0x8000];
        return -m_table[0x10000 - p];
    }

    int32_t Cos16(uint16_t phase16) const noexcept { return Sin16(static_cast<uint16_t>(phase16 + 0x4000)); }

private:
    std::array<int32_t, kSize> m_table;
};

}  // namespace vexa::engine
