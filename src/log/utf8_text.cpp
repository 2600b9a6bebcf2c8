// Minimal UTF-8 decoding: sequence lengths and validity, no normalisation.
#include "log/utf8_text.h"

namespace vexa::log {

namespace {

// Length of the valid sequence starting at text[i], or 0 when the byte does not start one.
std::size_t sequenceLength(std::string_view text, std::size_t i) noexcept
{
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) return 1;
    std::size_t n = 0;
    unsigned int min = 0;
    unsigned int cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        n = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

std::string ToValidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceLength(bytes, i);
        if (n > 0) {
            out.append(bytes.substr(i, n));
            i += n;
        } else {
            const auto b = static_cast<unsigned char>(bytes[i++]);
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

std::size_t Utf8Length(std::string_view text) noexcept
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const std::size_t n = sequenceLength(text, i);
        i += n > 0 ? n : 1;
    }
    return count;
}

std::size_t Utf8Advance(std::string_view text, std::size_t from, std::size_t count) noexcept
{
    std::size_t i = from;
    for (; count > 0 && i < text.size(); --count) {
        const std::size_t n = sequenceLength(text, i);
        i += n > 0 ? n : 1;
    }
    return i < text.size() ? i : text.size();
}

}  // namespace vexa::log
