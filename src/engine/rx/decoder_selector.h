// A SymbolSink that forwards everything to a switchable target. The demodulators keep
// pointing at their selector; a mode change retargets it (BPSK decoder, QPSK decoder).
#pragma once

#include "engine/rx/symbol_sink.h"

namespace vexa::engine {

class DecoderSelector final : public SymbolSink {
public:
    explicit DecoderSelector(SymbolSink* target = nullptr) noexcept : m_target(target) {}

    // nullptr drops everything until a target is set. Not owned.
    void setTarget(SymbolSink* target) noexcept { m_target = target; }
    SymbolSink* target() const noexcept { return m_target; }

    void bit(int b) override
    {
        if (m_target != nullptr) m_target->bit(b);
    }
    void symbol(int32_t i, int32_t q, int32_t level) override
    {
        if (m_target != nullptr) m_target->symbol(i, q, level);
    }
    void reset() override
    {
        if (m_target != nullptr) m_target->reset();
    }

private:
    SymbolSink* m_target;
};

}  // namespace vexa::engine
