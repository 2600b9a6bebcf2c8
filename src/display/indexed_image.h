// An 8-bit image of palette indices: the spectrum window's off-screen bitmap. Rows are
// padded to four bytes so that a toolkit image can wrap the buffer without copying.
#pragma once

#include <cstdint>
#include <vector>

namespace vexa::display {

class IndexedImage {
public:
    IndexedImage() = default;
    IndexedImage(int width, int height);

    // Resizes when the size differs; the content is then all zero (palette entry 0, black).
    void resize(int width, int height);

    int width() const noexcept { return m_width; }
    int height() const noexcept { return m_height; }
    int stride() const noexcept { return m_stride; }
    bool empty() const noexcept { return m_width <= 0 || m_height <= 0; }

    uint8_t* row(int y) noexcept { return m_pixels.data() + static_cast<std::size_t>(y) * m_stride; }
    const uint8_t* row(int y) const noexcept
    {
        return m_pixels.data() + static_cast<std::size_t>(y) * m_stride;
    }
    const uint8_t* data() const noexcept { return m_pixels.data(); }
    std::size_t byteCount() const noexcept { return m_pixels.size(); }

    uint8_t at(int x, int y) const noexcept { return row(y)[x]; }
    void set(int x, int y, uint8_t index) noexcept
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height) row(y)[x] = index;
    }
    void fill(uint8_t index) noexcept;

    // A straight line, both ends included, clipped to the image. penWidth 1 or more draws a
    // square pen of that size centred on the line.
    void drawLine(int x0, int y0, int x1, int y1, uint8_t index, int penWidth = 1) noexcept;

private:
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<uint8_t> m_pixels;
};

}  // namespace vexa::display
