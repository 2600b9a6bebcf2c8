// Decides whether a word picked out of received text has the shape of a call sign, so that
// the receive window can offer the last such word for the QSO entry.
#pragma once

#include <string_view>

namespace vexa::country {

// True for words such as "DL1ABC", "G4XYZ/P" or "VK2/ZL1AB"; false for numbers, plain
// words, "599" or words with other punctuation. Pure: no side effects.
bool IsCallsignLike(std::string_view word) noexcept;

}  // namespace vexa::country
