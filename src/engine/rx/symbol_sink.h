// How demodulators hand symbols and bits to character decoders. Called at the symbol rate
// (31.25 or 45.45 per second), so a virtual call here costs nothing that matters.
#pragma once

#include <cstdint>

namespace vexa::engine {

class SymbolSink {
public:
    virtual ~SymbolSink() = default;
    // One decoded data bit, 0 or 1.
    virtual void bit(int bit) = 0;
    // One symbol: the full 32-bit correlator outputs and the level value
    // (30 + bit length of the symbol energy).
    virtual void symbol(int32_t i, int32_t q, int32_t level) = 0;
    // The demodulator was reset (mode change).
    virtual void reset() = 0;
};

}  // namespace vexa::engine
