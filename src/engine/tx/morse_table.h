// Morse patterns for the call-sign identification, one byte per character code. A pattern
// is read from bit 0 upward (1 = dash, 0 = dot) and ends at a stop bit 1 above the last
// element; an entry of 1 sends nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vexa::engine {

class MorseTable {
public:
    MorseTable() noexcept;

    uint8_t operator[](unsigned char c) const noexcept { return m_patterns[c]; }

    // The pattern of a written code such as "-..-." (at most 7 elements).
    static constexpr uint8_t pattern(std::string_view code) noexcept
    {
        unsigned p = 1;
        for (std::size_t i = code.size(); i-- > 0;) p = (p << 1) | (code[i] == '-' ? 1u : 0u);
        return static_cast<uint8_t>(p);
    }

private:
    std::array<uint8_t, 256> m_patterns{};
};

}  // namespace vexa::engine
