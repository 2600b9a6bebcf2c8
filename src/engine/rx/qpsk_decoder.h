// Differential QPSK symbol decisions and a 16-state Viterbi decoder for the rate-1/2,
// constraint-length-5 code (polynomials 11001 and 10111). The decoded bits go through the
// inherited varicode framing.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "engine/rx/varicode_decoder.h"

namespace vexa::engine {

// Encoder output dibit for each 5-bit shift-register state, newest bit in bit 0.
inline constexpr std::array<uint8_t, 32> kQpskEncoderOutput = [] {
    std::array<uint8_t, 32> g{};
    for (unsigned i = 0; i < 32; ++i)
        g[i] = static_cast<uint8_t>(2 * (std::popcount(i & 0x19u) & 1) + (std::popcount(i & 0x17u) & 1));
    return g;
}();

class QpskDecoder : public VaricodeDecoder {
public:
    static constexpr int kStates = 16;

    explicit QpskDecoder(TextSink* text = nullptr) noexcept;

    void symbol(int32_t i, int32_t q, int32_t level) override;
    // The base reset, then the start metrics and survivor paths.
    void reset() override;

    // Set when the other station (or this receiver) has its sidebands reversed: the
    // quarter turns then arrive the other way round.
    void setInverted(bool inverted) noexcept { m_inverted = inverted ? 1 : 0; }
    bool inverted() const noexcept { return m_inverted != 0; }

    int32_t metric(int state) const noexcept { return m_metric[static_cast<std::size_t>(state)]; }
    uint32_t path(int state) const noexcept { return m_path[static_cast<std::size_t>(state)]; }
    // The received dibit of the last symbol (0 no change, 1 and 3 quarter turns, 2 half).
    int lastDibit() const noexcept { return m_lastDibit; }

private:
    int m_inverted = 0;
    int m_lastDibit = 0;
    std::array<int32_t, kStates> m_metric{};
    std::array<uint32_t, kStates> m_path{};
};

}  // namespace vexa::engine
