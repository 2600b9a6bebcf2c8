// Spot lines by their columns: what is read from a good line, and the near misses that are
// not spots.
#include "rig/dx_spot.h"

#include <gtest/gtest.h>

namespace vexa::rig {
namespace {

TEST(DxSpot, TheColumnsGiveFrequencyCallAndCommentAndNearMissesAreNoSpots)
{
    struct Case {
        const char* line;
        int hz;  // 0: not a spot
        const char* call;
        const char* comment;
    };
    const Case cases[] = {
        {"DL1ABC    14070.5 1234 JA1XYZ     RTTY cq", 14070500, "JA1XYZ", "RTTY cq"},
        {"F5XX       7080.0 0815 EA8/DL1AB", 7080000, "EA8/DL1AB", ""},
        {"K1TTT   1296200.0 1200 W1AW/B  ", 1296200000, "W1AW/B", ""},  // digits left of column 11
        {"DL1ABC    14070.5 1234 J", 0, "", ""},                        // 24 characters
        {" DL1ABC   14070.5 1234 JA1XYZ", 0, "", ""},                   // column 0 is no call character
        {"DL1ABC    14070,5 1234 JA1XYZ", 0, "", ""},                   // no decimal point
        {"DL1ABC    14070.5 12:4 JA1XYZ", 0, "", ""},                   // the time is not four digits
        {"DL1ABC    14070.5 1234  JA1XYZ", 0, "", ""},                  // the call does not start at 23
        {"OK1KIR 10368100.0 1234 DL7QY  ", 0, "", ""},                  // 10 GHz: beyond the dial's range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<DxSpot> spot = ParseSpotLine(c.line);
        ASSERT_EQ(spot.has_value(), c.hz != 0);
        if (!spot) continue;
        EXPECT_EQ(spot->frequencyHz, c.hz);
        EXPECT_EQ(spot->call, c.call);
        EXPECT_EQ(spot->comment, c.comment);
    }
}

}  // namespace
}  // namespace vexa::rig
