#include "common/band_plan.h"

#include <cstddef>

namespace vexa {

int FindBand(int64_t hz) noexcept
{
    const auto f = static_cast<uint64_t>(hz);
    for (int i = 0; i < kBandCount; ++i) {
        const BandEntry& b = kBandPlan[static_cast<std::size_t>(i)];
        if (static_cast<uint64_t>(b.lowEdge) * 1000U <= f && f <= static_cast<uint64_t>(b.highEdge) * 1000U)
            return i;
    }
    return -1;
}

}  // namespace vexa
