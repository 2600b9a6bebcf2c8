#include "display/indexed_image.h"

#include <algorithm>
#include <cstdlib>

namespace vexa::display {

IndexedImage::IndexedImage(int width, int height)
{
    resize(width, height);
}

void IndexedImage::resize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_stride = (width + 3) & ~3;
    m_pixels.assign(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(height), 0);
}

void IndexedImage::fill(uint8_t index) noexcept
{
    std::fill(m_pixels.begin(), m_pixels.end(), index);
}

void IndexedImage::drawLine(int x0, int y0, int x1, int y1, uint8_t index, int penWidth) noexcept
{
    const int lo = -(std::max(penWidth, 1) - 1) / 2;
    const int hi = lo + std::max(penWidth, 1) - 1;
    auto plot = [&](int x, int y) {
        for (int dy = lo; dy <= hi; ++dy)
            for (int dx = lo; dx <= hi; ++dx) set(x + dx, y + dy, index);
    };
    // Lines leave the image only through an autoscale overshoot of a few rows; clamping the
    // y range keeps the walk short when a magnitude is huge.
    const int margin = hi + 1;
    y0 = std::clamp(y0, -margin, m_height + margin);
    y1 = std::clamp(y1, -margin, m_height + margin);
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x0, y0);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

}  // namespace vexa::display
