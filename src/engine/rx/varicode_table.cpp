#include "engine/rx/varicode_table.h"

namespace vexa::engine {
namespace {

// clang-format off
constexpr std::array<uint16_t, 128> kPublished = {
    0b1010101011,   //   0 NUL
    0b1011011011,   //   1 SOH
    0b1011101101,   //   2 STX
    0b1101110111,   //   3 ETX
    0b1011101011,   //   4 EOT
    0b1101011111,   //   5 ENQ
    0b1011101111,   //   6 ACK
    0b1011111101,   //   7 BEL
    0b1011111111,   //   8 BS
    0b11101111,     //   9 HT
    0b11101,        //  10 LF
    0b1101101111,   //  11 VT
    0b1011011101,   //  12 FF
    0b11111,        //  13 CR
    0b1101110101,   //  14 SO
    0b1110101011,   //  15 SI
    0b1011110111,   //  16 DLE
    0b1011110101,   //  17 DC1
    0b1110101101,   //  18 DC2
    0b1110101111,   //  19 DC3
    0b1101011011,   //  20 DC4
    0b1101101011,   //  21 NAK
    0b1101101101,   //  22 SYN
    0b1101010111,   //  23 ETB
    0b1101111011,   //  24 CAN
    0b1101111101,   //  25 EM
    0b1110110111,   //  26 SUB
    0b1101010101,   //  27 ESC
    0b1101011101,   //  28 FS
    0b1110111011,   //  29 GS
    0b1011111011,   //  30 RS
    0b1101111111,   //  31 US
    0b1,            //  32 space
    0b111111111,    //  33 !
    0b101011111,    //  34 "
    0b111110101,    //  35 #
    0b111011011,    //  36 $
    0b1011010101,   //  37 %
    0b1010111011,   //  38 &
    0b101111111,    //  39 '
    0b11111011,     //  40 (
    0b11110111,     //  41 )
    0b101101111,    //  42 *
    0b111011111,    //  43 +
    0b1110101,      //  44 ,
    0b110101,       //  45 -
    0b1010111,      //  46 .
    0b110101111,    //  47 /
    0b10110111,     //  48 0
    0b10111101,     //  49 1
    0b11101101,     //  50 2
    0b11111111,     //  51 3
    0b101110111,    //  52 4
    0b101011011,    //  53 5
    0b101101011,    //  54 6
    0b110101101,    //  55 7
    0b110101011,    //  56 8
    0b110110111,    //  57 9
    0b11110101,     //  58 :
    0b110111101,    //  59 ;
    0b111101101,    //  60 <
    0b1010101,      //  61 =
    0b111010111,    //  62 >
    0b1010101111,   //  63 ?
    0b1010111101,   //  64 @
    0b1111101,      //  65 A
    0b11101011,     //  66 B
    0b10101101,     //  67 C
    0b10110101,     //  68 D
    0b1110111,      //  69 E
    0b11011011,     //  70 F
    0b11111101,     //  71 G
    0b101010101,    //  72 H
    0b1111111,      //  73 I
    0b111111101,    //  74 J
    0b101111101,    //  75 K
    0b11010111,     //  76 L
    0b10111011,     //  77 M
    0b11011101,     //  78 N
    0b10101011,     //  79 O
    0b11010101,     //  80 P
    0b111011101,    //  81 Q
    0b10101111,     //  82 R
    0b1101111,      //  83 S
    0b1101101,      //  84 T
    0b101010111,    //  85 U
    0b110110101,    //  86 V
    0b101011101,    //  87 W
    0b101110101,    //  88 X
    0b101111011,    //  89 Y
    0b1010101101,   //  90 Z
    0b111110111,    //  91 [
    0b111101111,    //  92 backslash
    0b111111011,    //  93 ]
    0b1010111111,   //  94 ^
    0b101101101,    //  95 _
    0b1011011111,   //  96 `
    0b1011,         //  97 a
    0b1011111,      //  98 b
    0b101111,       //  99 c
    0b101101,       // 100 d
    0b11,           // 101 e
    0b111101,       // 102 f
    0b1011011,      // 103 g
    0b101011,       // 104 h
    0b1101,         // 105 i
    0b111101011,    // 106 j
    0b10111111,     // 107 k
    0b11011,        // 108 l
    0b111011,       // 109 m
    0b1111,         // 110 n
    0b111,          // 111 o
    0b111111,       // 112 p
    0b110111111,    // 113 q
    0b10101,        // 114 r
    0b10111,        // 115 s
    0b101,          // 116 t
    0b110111,       // 117 u
    0b1111011,      // 118 v
    0b1101011,      // 119 w
    0b11011111,     // 120 x
    0b1011101,      // 121 y
    0b111010101,    // 122 z
    0b1010110111,   // 123 {
    0b110111011,    // 124 |
    0b1010110101,   // 125 }
    0b1011010111,   // 126 ~
    0b1110110101,   // 127 DEL
};
// clang-format on

constexpr bool isPublished(uint32_t word) noexcept
{
    for (const uint16_t w : kPublished)
        if (w == word) return true;
    return false;
}

// The upper half: walk all word shapes by length, then value, and take the first 128
// that the published half does not use. This reproduces the table other stations use
// for codes 128..255 (e.g. 128 = 1110111101, 255 = 101101011011).
constexpr std::array<uint16_t, kVaricodeCodes> makeTable() noexcept
{
    std::array<uint16_t, kVaricodeCodes> table{};
    for (std::size_t c = 0; c < kPublished.size(); ++c) table[c] = kPublished[c];
    std::size_t next = kPublished.size();
    for (uint32_t word = 1; word < (1u << kVaricodeMaxBits) && next < table.size(); ++word) {
        // Increasing value within the 12-bit range is increasing length, then value.
        if (isVaricodeWord(word) && !isPublished(word)) table[next++] = static_cast<uint16_t>(word);
    }
    return table;
}

}  // namespace

constinit const std::array<uint16_t, kVaricodeCodes> kVaricodeTable = makeTable();

}  // namespace vexa::engine
