// 32-bit two's-complement arithmetic that wraps instead of overflowing. The receivers'
// products (for example I x 4096 x prevQ in the PSK discriminator) exceed 32 bits by design,
// and their exact wrapped values decide the decoded output, so they must not be left to
// signed-overflow rules.
#pragma once

#include <cstdint>
#include <limits>

namespace vexa::engine::wrap {

constexpr int32_t add(int32_t a, int32_t b) noexcept
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int32_t sub(int32_t a, int32_t b) noexcept
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

constexpr int32_t mul(int32_t a, int32_t b) noexcept
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

constexpr int32_t neg(int32_t a) noexcept
{
    return sub(0, a);
}

// Integer division truncating toward zero. The one quotient that does not fit,
// INT32_MIN / -1, wraps to INT32_MIN instead of trapping. b must not be 0.
constexpr int32_t div(int32_t a, int32_t b) noexcept
{
    if (b == -1) return neg(a);
    return a / b;
}

}  // namespace vexa::engine::wrap
