#include "common/frequency_marks.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

constexpr std::time_t kNow = 1'700'000'000;

TEST(FrequencyMarks, AMarkReplacesThoseWithin300HzAndNeverTakesTheOperatorsSlots)
{
    FrequencyMarks marks;
    marks[3] = {14070200, OperatingMode::Psk31, kNow, "net", ""};
    marks[4] = {14070800, OperatingMode::Psk31, kNow, "sked", ""};
    const int first = marks.markHere(14070000, OperatingMode::Psk31, kNow, "DX", "");
    EXPECT_EQ(first, 11);
    EXPECT_EQ(marks[3].frequency, 0);  // 200 Hz away: replaced
    EXPECT_EQ(marks[4].frequency, 14070800);
    const int second = marks.markHere(14070299, OperatingMode::Psk31, kNow, "DX again", "");
    EXPECT_EQ(marks[first].frequency, 0);
    EXPECT_EQ(marks[second].label, "DX again");
    // The time stamp's rule: exactly 300 Hz apart both stay.
    marks.clearNear(14070599);
    EXPECT_EQ(marks[second].frequency, 14070299);
    EXPECT_EQ(marks[4].frequency, 0);

    for (int i = 0; i < 100; ++i)
        EXPECT_GE(marks.markHere(1000000 + i * 1000, OperatingMode::Cw, kNow, "m", ""), 10);
}

TEST(FrequencyMarks, StepsFromTheMarkAtTheDialOrTheNearestBelowOrAbove)
{
    FrequencyMarks marks;
    marks[12] = {7040000, OperatingMode::Cw, kNow, "a", ""};
    marks[13] = {7030000, OperatingMode::Cw, kNow, "b", ""};
    marks[14] = {7035000, OperatingMode::Cw, kNow - 3 * 3600, " old", ""};  // stale and blank-led: skipped
    marks[15] = {7050000, OperatingMode::Lsb, kNow, "c", ""};
    EXPECT_EQ(marks.step(7040100, true, kNow), 13);   // on "a": the next slot
    EXPECT_EQ(marks.step(7040100, false, kNow), 15);  // previous wraps past the stale one
    EXPECT_EQ(marks.step(7045000, true, kNow), 13);   // nearest below is "a" (12)
    EXPECT_EQ(marks.step(7045000, false, kNow), 13);  // nearest above is "c" (15)
    EXPECT_EQ(marks.step(7020000, true, kNow), std::nullopt);
    EXPECT_EQ(FrequencyMarks().step(7040000, true, kNow), std::nullopt);
}

}  // namespace
}  // namespace vexa
