// The varicode of PSK31, QPSK and FSK31: one word per character code 0..255, read from its
// most significant one bit (the first bit sent). Every word starts and ends with 1 and has
// no two adjacent zeros, so two zero bits mark the gap between characters. Shared by the
// receive decoders and the transmit encoders.
#pragma once

#include <array>
#include <cstdint>

namespace vexa::engine {

inline constexpr int kVaricodeCodes = 256;
inline constexpr int kVaricodeMaxBits = 12;

// Codes 0..127 are the published PSK31 words; 128..255 are the next 128 valid words in
// order of length and then value that the first 128 do not use.
extern const std::array<uint16_t, kVaricodeCodes> kVaricodeTable;

// True when word is a varicode word shape: non-zero, ends in 1, at most 12 bits and has no
// two adjacent zero bits below its leading one.
constexpr bool isVaricodeWord(uint32_t word) noexcept
{
    if (word == 0 || (word & 1) == 0 || word >= (1u << kVaricodeMaxBits)) return false;
    uint32_t below = 1;  // the bits below the leading one
    while ((below << 1) <= word) below <<= 1;
    return ((~word & ~(word >> 1)) & (below - 1)) == 0;
}

}  // namespace vexa::engine
