// Differential BPSK symbol decisions with a phase-tracking loop, and the varicode character
// framing: symbols in, characters out to a TextSink. Phases here are 32-bit
// (2^32 = one turn) and every update wraps in 32 bits.
#pragma once

#include <array>
#include <cstdint>

#include "engine/rx/symbol_sink.h"
#include "engine/rx/text_sink.h"

namespace vexa::engine {

// Character code by (varicode word >> 1); 0 where no word exists.
inline constexpr int kVaricodeDecodeEntries = 2047;
const std::array<uint16_t, kVaricodeDecodeEntries>& varicodeDecodeTable() noexcept;

class VaricodeDecoder : public SymbolSink {
public:
    explicit VaricodeDecoder(TextSink* text = nullptr) noexcept : m_text(text) {}

    void setTextSink(TextSink* text) noexcept { m_text = text; }
    TextSink* textSink() const noexcept { return m_text; }

    // One data bit; after a one followed by two zeros the word before them becomes a
    // character (0 for a word the table lacks).
    void bit(int b) override;
    // One BPSK symbol (full correlator outputs); decides a bit and tracks the phase drift.
    void symbol(int32_t i, int32_t q, int32_t level) override;
    // Clears the bit register and previous I/Q; the drift, jitter and reference phase stay.
    void reset() override;

    // Low-passed residual phase per symbol, 32-bit phase units: the AFC input.
    int32_t drift() const noexcept { return m_drift; }
    void setDrift(int32_t drift) noexcept { m_drift = drift; }
    int32_t jitter() const noexcept { return m_jitter; }
    int32_t lastPhaseDifference() const noexcept { return m_lastPhaseDifference; }
    uint16_t bitRegister() const noexcept { return m_bitRegister; }

protected:
    int32_t m_drift = 0;
    int32_t m_jitter = 0;
    int32_t m_reference = 0;
    int32_t m_previousResidual = 0;
    int32_t m_lastPhaseDifference = 0;
    uint16_t m_channel = 0;
    uint16_t m_bitRegister = 0;
    int32_t m_prevX = 0;
    int32_t m_prevY = 0;
    TextSink* m_text;
};

}  // namespace vexa::engine
