#include "common/band_plan.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(BandPlan, FindBandTakesBothEdgesAndNothingBetweenBands)
{
    const struct {
        int64_t hz;
        int band;
    } cases[] = {
        {1810000, 0},  {2000000, 0},  {1809999, -1},  {2000001, -1}, {14070150, 4},
        {10150000, 3}, {29700000, 8}, {29700001, -1}, {0, -1},       {-14070000, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hz);
        EXPECT_EQ(FindBand(c.hz), c.band);
    }
}

}  // namespace
}  // namespace vexa
