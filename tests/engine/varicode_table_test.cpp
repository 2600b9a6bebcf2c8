#include "engine/rx/varicode_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>

namespace vexa::engine {
namespace {

TEST(VaricodeTable, EveryWordIsAValidDistinctWord)
{
    std::set<uint16_t> seen;
    for (int c = 0; c < kVaricodeCodes; ++c) {
        const uint16_t w = kVaricodeTable[static_cast<std::size_t>(c)];
        EXPECT_TRUE(isVaricodeWord(w)) << "code " << c;
        EXPECT_TRUE(seen.insert(w).second) << "code " << c << " repeats a word";
    }
}

TEST(VaricodeTable, PublishedLandmarks)
{
    EXPECT_EQ(kVaricodeTable[' '], 0b1);
    EXPECT_EQ(kVaricodeTable['e'], 0b11);
    EXPECT_EQ(kVaricodeTable['t'], 0b101);
    EXPECT_EQ(kVaricodeTable['\n'], 0b11101);
    EXPECT_EQ(kVaricodeTable['\r'], 0b11111);
    EXPECT_EQ(kVaricodeTable['A'], 0b1111101);
    EXPECT_EQ(kVaricodeTable[0], 0b1010101011);
    EXPECT_EQ(kVaricodeTable[127], 0b1110110101);
}

TEST(VaricodeTable, UpperHalfFollowsTheOrderingRule)
{
    EXPECT_EQ(kVaricodeTable[128], 0b1110111101);
    EXPECT_EQ(kVaricodeTable[129], 0b1110111111);
    EXPECT_EQ(kVaricodeTable[130], 0b1111010101);
    EXPECT_EQ(kVaricodeTable[141], 0b1111111101);
    EXPECT_EQ(kVaricodeTable[142], 0b1111111111);
    EXPECT_EQ(kVaricodeTable[143], 0b10101010101);
    EXPECT_EQ(kVaricodeTable[255], 0b101101011011);
    for (std::size_t c = 129; c < 256; ++c) EXPECT_LT(kVaricodeTable[c - 1], kVaricodeTable[c]) << c;
    // No unused valid word is skipped between two consecutive upper entries.
    std::set<uint16_t> used(kVaricodeTable.begin(), kVaricodeTable.end());
    for (uint32_t w = kVaricodeTable[128]; w < kVaricodeTable[255]; ++w)
        if (isVaricodeWord(w)) {
            EXPECT_TRUE(used.count(static_cast<uint16_t>(w))) << w;
        }
    int longest = 0;
    for (const uint16_t w : kVaricodeTable) longest = std::max(longest, int(std::bit_width(w)));
    EXPECT_EQ(longest, kVaricodeMaxBits);
}

TEST(VaricodeTable, WordShapeRule)
{
    EXPECT_TRUE(isVaricodeWord(0b1));
    EXPECT_TRUE(isVaricodeWord(0b101));
    EXPECT_FALSE(isVaricodeWord(0));
    EXPECT_FALSE(isVaricodeWord(0b110));
    EXPECT_FALSE(isVaricodeWord(0b1001));
    EXPECT_FALSE(isVaricodeWord(0b1010101010101));  // 13 bits
}

}  // namespace
}  // namespace vexa::engine
