// QPSK transmit encoding: the varicode bits, inverted, run through the rate-1/2
// convolutional code (polynomials 11001 and 10111) whose dibit is the phase step.
#pragma once

#include <array>
#include <cstdint>

#include "engine/rx/qpsk_decoder.h"
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

    // Encoder output dibit for each 5-bit state: the receiver's table.
    static constexpr const auto& kG = kQpskEncoderOutput;

private:
    int m_inverted = 0;
    int m_state = 0;
};

}  // namespace vexa::engine
