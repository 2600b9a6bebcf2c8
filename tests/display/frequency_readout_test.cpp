#include "display/frequency_readout.h"

#include <gtest/gtest.h>

namespace vexa::display {
namespace {

TEST(FrequencyReadout, DialGroupsOfThree)
{
    EXPECT_EQ(formatDialFrequency(14070150), "14.070.150");
    EXPECT_EQ(formatDialFrequency(kDefaultDialFrequencyHz), "14.071.000");
    EXPECT_EQ(formatDialFrequency(3580005), "3.580.005");
    EXPECT_EQ(formatDialFrequency(144000000), "144.000.000");
    EXPECT_EQ(formatDialFrequency(999), "0.000.999");
    EXPECT_EQ(formatDialFrequency(-1500), "-0.001.500");
}

TEST(FrequencyReadout, AudioSixWideOneDecimal)
{
    EXPECT_EQ(formatAudioFrequency(1000.0), "1000.0");
    EXPECT_EQ(formatAudioFrequency(700.0), " 700.0");
    EXPECT_EQ(formatAudioFrequency(1500.26), "1500.3");
    EXPECT_EQ(formatAudioFrequency(1499.04), "1499.0");
}

}  // namespace
}  // namespace vexa::display
