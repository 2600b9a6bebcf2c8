// The receivers' logarithm of signal energy: the number of right shifts by one until the
// energy is no longer positive, i.e. its bit length (0 for zero or a wrapped negative value).
#pragma once

#include <bit>
#include <cstdint>

namespace vexa::engine {

constexpr int32_t energyBitLength(int32_t energy) noexcept
{
    return energy <= 0 ? 0 : static_cast<int32_t>(std::bit_width(static_cast<uint32_t>(energy)));
}

}  // namespace vexa::engine
