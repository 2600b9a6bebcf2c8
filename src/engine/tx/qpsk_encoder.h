// QPSK transmit encoding: the varicode bits, inverted, run through the rate-1/2
// convolutional code (polynomials 11001 and 10111) whose dibit is the phase step.
#pragma once

#include <array>
#include <cstdint>

#include "engine/tx/varicode_encoder.h"

namespace vexa::engine {

class QpskEncoder : public VaricodeEncoder {
public:
    explicit QpskEncoder(TransmitTable& table) noexcept;

    void resetEncoder() noexcept override { m_state = 0; }
    int nextSymbol(bool& needChar) noexcept override;

    void setInverted(bool inverted) noexcept { m_inverted = inverted ? 1 : 0; }
    bool inverted() const noexcept { return m_inverted != 0; }
    int state() const noexcept { return m_state; }

    // Encoder output dibit for each 5-bit state.
    static constexpr std::array<int, 32> kG = [] {
        std::array<int, 32> g{};
        for (int i = 0; i < 32; ++i) {
            const auto parity = [](int v) {
                int p = 0;
                for (; v != 0; v >>= 1) p ^= v & 1;
                return p;
            };
            g[static_cast<std::size_t>(i)] = 2 * parity(i & 0x19) + parity(i & 0x17);
        }
        return g;
    }();

private:
    int m_inverted = 0;
    int m_state = 0;
};

}  // namespace vexa::engine
