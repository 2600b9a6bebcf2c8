#include "country/is_callsign_like.h"

#include <gtest/gtest.h>

using vexa::country::IsCallsignLike;

TEST(IsCallsignLike, AcceptsCallsWithPrefixesAndPortableParts)
{
    for (const char* call : {"DL1ABC", "g4xyz", "K1A", "VK2/ZL1AB", "W1AW/4", "9A1AA", "OH2BH/P", "3DA0RU",
                             "JA1/W1AW/P", "A1B"}) {
        EXPECT_TRUE(IsCallsignLike(call)) << call;
    }
}

TEST(IsCallsignLike, RejectsEverydayWordsOfAQso)
{
    struct Case {
        const char* word;
        const char* why;
    };
    for (const Case& c :
         {Case{"", "empty"}, Case{"K1", "too short"}, Case{"599", "starts with two digits"},
          Case{"12AB", "starts with two digits"}, Case{"NAME", "no digit"}, Case{"DL-1AB", "punctuation"},
          Case{"DL1AB.", "trailing dot"}, Case{"ABCD1E", "first digit at position 5"},
          Case{"/DL1AB", "leading slash"}, Case{"DL1AB/", "trailing slash"},
          Case{"A/B/C/1D", "three slashes"}, Case{"1A2", "one letter only"},
          Case{"DL1AB2", "ends with a digit, no slash"}, Case{"73s", "starts with two digits"}}) {
        EXPECT_FALSE(IsCallsignLike(c.word)) << c.word << ": " << c.why;
    }
}
