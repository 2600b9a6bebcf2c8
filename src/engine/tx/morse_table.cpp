#include "engine/tx/morse_table.h"

namespace vexa::engine {
namespace {

constexpr std::string_view kLetters[26] = {
    ".-", "-...", "-.-.", "-..",  ".",   "..-.", "--.", "....", "..",   ".---", "-.-",  ".-..", "--",
    "-.", "---",  ".--.", "--.-", ".-.", "...",  "-",   "..-",  "...-", ".--",  "-..-", "-.--", "--.."};
constexpr std::string_view kDigits[10] = {"-----", ".----", "..---", "...--", "....-",
                                          ".....", "-....", "--...", "---..", "----."};
// Code page 866 capitals 0x80..0x9F; the small letters repeat them at 0xA0..0xAF and
// 0xE0..0xEF. The hard and the soft sign share -..-.
constexpr std::string_view kCyrillic[32] = {".-",   "-...", ".--",  "--.",  "-..",  ".",     "...-", "--..",
                                            "..",   ".---", "-.-",  ".-..", "--",   "-.",    "---",  ".--.",
                                            ".-.",  "...",  "-",    "..-",  "..-.", "....",  "-.-.", "---.",
                                            "----", "--.-", "-..-", "-.--", "-..-", "..-..", "..--", ".-.-."};

}  // namespace

MorseTable::MorseTable() noexcept
{
    m_patterns.fill(1);
    for (int i = 0; i < 26; ++i) {
        m_patterns[static_cast<std::size_t>('A' + i)] = pattern(kLetters[i]);
        m_patterns[static_cast<std::size_t>('a' + i)] = pattern(kLetters[i]);
    }
    for (int i = 0; i < 10; ++i) m_patterns[static_cast<std::size_t>('0' + i)] = pattern(kDigits[i]);
    m_patterns[','] = pattern("--..--");
    m_patterns['/'] = pattern("-..-.");
    m_patterns['\\'] = pattern("-..-.");
    m_patterns['|'] = pattern("-..-.");
    m_patterns['='] = pattern("-...-");
    m_patterns['?'] = pattern("..--..");
    m_patterns[2] = pattern("-------");
    for (int i = 0; i < 32; ++i) {
        const uint8_t p = pattern(kCyrillic[i]);
        m_patterns[static_cast<std::size_t>(0x80 + i)] = p;
        if (i < 16)
            m_patterns[static_cast<std::size_t>(0xA0 + i)] = p;
        else
            m_patterns[static_cast<std::size_t>(0xE0 + i - 16)] = p;
    }
}

}  // namespace vexa::engine
