#include "engine/rx/baudot_tables.h"

#include <gtest/gtest.h>

namespace vexa::engine {
namespace {

// A few ITA2 codes written out as the bits on the line (bit 1 first).
TEST(BaudotTables, IndexIsFirstBitMostSignificant)
{
    // E = bits 1 0 0 0 0, T = 0 0 0 0 1, A = 1 1 0 0 0, 3 under FIGS with E.
    EXPECT_EQ(kBaudotLetters[0b10000], 'e');
    EXPECT_EQ(kBaudotLetters[0b00001], 't');
    EXPECT_EQ(kBaudotLetters[0b11000], 'a');
    EXPECT_EQ(kBaudotFigures[0b10000], '3');
    EXPECT_EQ(kBaudotFigures[0b11101], '1');
    EXPECT_EQ(kBaudotUppercase[0b11000], 'A');
}

TEST(BaudotTables, ControlCodesAndMarkers)
{
    for (auto table : {kBaudotLetters, kBaudotFigures}) {
        EXPECT_EQ(table[kBaudotNul], kBaudotMarkerNul);
        EXPECT_EQ(table[kBaudotCr], '\r');
        EXPECT_EQ(table[kBaudotSpace], ' ');
        EXPECT_EQ(table[kBaudotLf], '\n');
        EXPECT_EQ(table[kBaudotFigs], kBaudotMarkerFigs);
        EXPECT_EQ(table[kBaudotLtrs], kBaudotMarkerLtrs);
    }
    // The upper-case table blanks every code that is not a letter.
    for (int k : {kBaudotNul, kBaudotCr, kBaudotSpace, kBaudotLf, kBaudotFigs, kBaudotLtrs})
        EXPECT_EQ(kBaudotUppercase[k], ' ') << k;
}

TEST(BaudotTables, UppercaseMatchesLetters)
{
    for (int k = 0; k < kBaudotTableSize; ++k) {
        const char c = kBaudotLetters[k];
        if (c >= 'a' && c <= 'z') {
            EXPECT_EQ(kBaudotUppercase[k], c - 'a' + 'A') << k;
        }
    }
}

}  // namespace
}  // namespace vexa::engine
