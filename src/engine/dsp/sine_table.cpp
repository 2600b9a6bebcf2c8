#include "engine/dsp/sine_table.h"

#include <cmath>

namespace vexa::engine {

SineTable::SineTable() noexcept
{
    // pi is deliberately the ten-digit constant: the receivers' exact output depends on
    // these table values, not on a more precise sine.
    for (int i = 0; i < kSize; ++i)
        m_table[static_cast<std::size_t>(i)] =
            static_cast<int32_t>(32767.0 * std::sin(i * 3.1415926535 / 32768.0));
}

}  // namespace vexa::engine
