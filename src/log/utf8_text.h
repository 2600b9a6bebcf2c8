// UTF-8 helpers for text that leaves the log for other programs: the log holds bytes, ADIF
// counts characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexa::log {

// Valid UTF-8 stays as it is; every byte that is not part of a valid sequence is taken as a
// Latin-1 character (what old single-byte logs hold) and re-encoded.
std::string ToValidUtf8(std::string_view bytes);

// Characters of valid UTF-8 text (an invalid byte counts as one).
std::size_t Utf8Length(std::string_view text) noexcept;

// The byte offset after `count` characters from `from` (an invalid byte counts as one),
// at most text.size().
std::size_t Utf8Advance(std::string_view text, std::size_t from, std::size_t count) noexcept;

}  // namespace vexa::log
