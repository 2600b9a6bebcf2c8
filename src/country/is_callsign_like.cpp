#include "country/is_callsign_like.h"

namespace vexa::country {

namespace {
bool isDigit(char c) noexcept
{
    return c >= '0' && c <= '9';
}
bool isLetter(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

bool IsCallsignLike(std::string_view word) noexcept
{
    if (word.size() < 3) return false;
    if (isDigit(word[0]) && isDigit(word[1])) return false;

    int digits = 0;
    int letters = 0;
    int slashes = 0;
    std::size_t firstDigit = std::string_view::npos;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i];
        if (isDigit(c)) {
            ++digits;
            if (firstDigit == std::string_view::npos) firstDigit = i;
        } else if (isLetter(c)) {
            ++letters;
        } else if (c == '/') {
            ++slashes;
        } else {
            return false;
        }
    }
    // The first digit must be the 1st, 2nd or 3rd character (prefixes are at most 3 long).
    if (firstDigit == std::string_view::npos || firstDigit > 2) return false;
    if (word.front() == '/' || word.back() == '/') return false;
    if (slashes > 2) return false;
    if (digits < 1 || letters < 2) return false;
    // "DL1AB2" is a serial number rather than a call; "DL1AB/2" is a call in another area.
    if (isDigit(word.back()) && slashes == 0) return false;
    return true;
}

}  // namespace vexa::country
