// A 5x7 pixel font for the printable ASCII characters, so that the display code can write
// labels into its own image buffers without a toolkit. Cells are 6 pixels wide.
#pragma once

#include <cstdint>
#include <string_view>

#include "display/indexed_image.h"

namespace vexa::display {

inline constexpr int kTinyFontCellWidth = 6;
inline constexpr int kTinyFontHeight = 7;

int tinyTextWidth(std::string_view text) noexcept;
// Top-left corner at (x, top); pixels outside the image are dropped. Characters outside
// ' '..'~' are drawn as '?'.
void drawTinyText(IndexedImage& image, int x, int top, std::string_view text, uint8_t index) noexcept;

}  // namespace vexa::display
