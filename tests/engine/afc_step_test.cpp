#include "engine/rx/afc_step.h"

#include <gtest/gtest.h>

namespace vexa::engine {
namespace {

AfcInputs inputs(OperatingMode mode, int32_t drift, int32_t jitter = 0)
{
    return {mode, true, false, 1000.0, drift, jitter};
}

TEST(AfcStep, MovesAgainstTheDriftAndKeepsSevenEighths)
{
    const auto r = AfcStep(inputs(OperatingMode::Psk31, 1 << 29));  // half a hertz
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->receiveHz, 999.5);
    EXPECT_EQ(r->driftIndicator, (1 << 29) - (1 << 26));
    const auto up = AfcStep(inputs(OperatingMode::Qpsk, -(1 << 28)));
    ASSERT_TRUE(up);
    EXPECT_DOUBLE_EQ(up->receiveHz, 1000.25);
    EXPECT_EQ(up->driftIndicator, -(1 << 28) - (-(1 << 28) >> 3));
}

TEST(AfcStep, OnlyInThePskModesWithAfcOnAndNotWhileTransmitting)
{
    for (const OperatingMode mode :
         {OperatingMode::Cw, OperatingMode::Usb, OperatingMode::Ssb, OperatingMode::Rtty, OperatingMode::Fm})
        EXPECT_FALSE(AfcStep(inputs(mode, 1 << 29))) << modeName(mode);
    for (const OperatingMode mode : {OperatingMode::Psk31, OperatingMode::Qpsk, OperatingMode::Fsk31})
        EXPECT_TRUE(AfcStep(inputs(mode, 1 << 29))) << modeName(mode);
    auto in = inputs(OperatingMode::Psk31, 1 << 29);
    in.afcEnabled = false;
    EXPECT_FALSE(AfcStep(in));
    in = inputs(OperatingMode::Psk31, 1 << 29);
    in.transmitting = true;
    EXPECT_FALSE(AfcStep(in));
}

TEST(AfcStep, JitterGateInBpskOnly)
{
    EXPECT_TRUE(AfcStep(inputs(OperatingMode::Psk31, 1 << 29, 99999999)));
    EXPECT_FALSE(AfcStep(inputs(OperatingMode::Psk31, 1 << 29, 100000000)));
    EXPECT_FALSE(AfcStep(inputs(OperatingMode::Psk31, 1 << 29, -100000000)));
    EXPECT_FALSE(AfcStep(inputs(OperatingMode::Psk31, 1 << 29, INT32_MIN)));
    // QPSK and FSK31 ignore the jitter.
    EXPECT_TRUE(AfcStep(inputs(OperatingMode::Qpsk, 1 << 29, 100000000)));
    EXPECT_TRUE(AfcStep(inputs(OperatingMode::Fsk31, 1 << 29, INT32_MIN)));
}

TEST(AfcStep, IgnoresStepsOfFiveHundredthsOfAHertzOrLess)
{
    const int32_t fiveHundredths = static_cast<int32_t>(0.05 * (1 << 30));
    EXPECT_FALSE(AfcStep(inputs(OperatingMode::Psk31, fiveHundredths)));
    EXPECT_FALSE(AfcStep(inputs(OperatingMode::Psk31, -fiveHundredths)));
    EXPECT_TRUE(AfcStep(inputs(OperatingMode::Psk31, fiveHundredths + 100)));
    EXPECT_FALSE(AfcStep(inputs(OperatingMode::Psk31, 0)));
}

}  // namespace
}  // namespace vexa::engine
