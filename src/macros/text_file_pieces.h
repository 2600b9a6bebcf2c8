// Reads a text file the way it is typed into the keyboard window: line ends CR LF become
// LF, and the text comes in pieces of at most 255 characters that end after a line feed.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace vexa::macros {

enum class TextFileRead {
    Ok,
    CannotOpen,
    ReadError,  // the pieces before the error were delivered
};

inline constexpr std::size_t kTextPieceLength = 255;

TextFileRead ReadTextPieces(const std::string& path, const std::function<void(const std::string&)>& piece);

}  // namespace vexa::macros
