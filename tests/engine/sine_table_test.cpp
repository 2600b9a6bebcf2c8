#include "engine/dsp/sine_table.h"

#include <gtest/gtest.h>

namespace vexa::engine {
namespace {

TEST(SineTable, QuarterTableEnds)
{
    const SineTable t;
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[16384], 32767);
}

TEST(SineTable, Sin16Landmarks)
{
    const SineTable t;
    EXPECT_EQ(t.Sin16(0x0000), 0);
    EXPECT_EQ(t.Sin16(0x4000), 32767);
    EXPECT_EQ(t.Sin16(0x4001), t[0x3FFF]);
    EXPECT_EQ(t.Sin16(0x8000), 0);
    EXPECT_EQ(t.Sin16(0xC000), -32767);
    EXPECT_EQ(t.Sin16(0xFFFF), -t[1]);
    EXPECT_EQ(t.Cos16(0), 32767);
    EXPECT_EQ(t.Cos16(0xC000), 0);
}

}  // namespace
}  // namespace vexa::engine
