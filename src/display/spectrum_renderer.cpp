#include "display/spectrum_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "display/spectrum_palette.h"

namespace vexa::display {
namespace {

// Magnitudes stay below about 8200 for 16-bit input; this only keeps a corrupt block from
// turning into undefined conversions.
int truncToInt(float v) noexcept
{
    if (!(v > -1.0e9f)) return v != v ? 0 : -1000000000;
    if (v > 1.0e9f) return 1000000000;
    return static_cast<int>(v);
}

}  // namespace

SpectrumRenderer::SpectrumRenderer() noexcept = default;

uint8_t SpectrumRenderer::spectrumLineIndex() noexcept
{
    static const uint8_t index = nearestPaletteIndex({255, 200, 0});
    return index;
}

uint8_t SpectrumRenderer::averageLineIndex() noexcept
{
    static const uint8_t index = nearestPaletteIndex({0, 128, 240});
    return index;
}

void SpectrumRenderer::setDisplayType(DisplayType type) noexcept
{
    m_type = type;
    m_saved.fill(0);
}

void SpectrumRenderer::computeMagnitudes(Capture re, Capture im, int startBin, int bins) noexcept
{
    std::copy(re.begin(), re.end(), m_re.begin());
    std::copy(im.begin(), im.end(), m_im.begin());
    m_transform.transform(m_re, m_im);
    // One bin past the last shown one feeds the waterfall's interpolation. Bins beyond the
    // transform's 1024 points have no data and show as zero.
    for (int k = 0; k <= bins; ++k) {
        const int bin = startBin + k;
        float m = 0.0f;
        if (bin < kPoints) {
            const float r = m_re[static_cast<std::size_t>(bin)];
            const float i = m_im[static_cast<std::size_t>(bin)];
            m = std::sqrt(std::sqrt(r * r + i * i));
        }
        m_magnitude[static_cast<std::size_t>(k)] = m;
    }
}

void SpectrumRenderer::render(Capture re, Capture im, const SpectrumScale& scale, int widthPx, int heightPx,
                              OperatingMode mode, double transmitHz, const SpectrumOptions& options) noexcept
{
    m_image.resize(widthPx, heightPx);
    m_saved.resize(widthPx, heightPx);
    if (m_image.empty()) {
        m_binsShown = 0;
        return;
    }
    if (m_type == DisplayType::SpectrumLine)
        m_image.fill(0);
    else
        std::memcpy(m_image.row(0), m_saved.data(), m_saved.byteCount());

    const int p = scale.pixelsPerBin();
    const int bins = scale.binsShown(widthPx);
    m_binsShown = bins;
    computeMagnitudes(re, im, scale.startBin(), bins);
    m_autoScale.update(magnitudes(), p, scale.pixelOf(transmitHz), AutoScale::peakWindowPx(mode), heightPx);

    if (bins > 0) {
        switch (m_type) {
            case DisplayType::SpectrumLine:
                if (options.showAverage) drawAverage(bins, p, options);
                drawSpectrumLine(bins, p, options);
                break;
            case DisplayType::LineHistory:
                drawSpectrumLine(bins, p, options);
                break;
            case DisplayType::Waterfall:
                drawWaterfallRow(bins, p);
                break;
        }
    }
    if (m_type != DisplayType::SpectrumLine) saveScrolled();
}

void SpectrumRenderer::drawWaterfallRow(int bins, int pixelsPerBin) noexcept
{
    const int divisor = m_autoScale.divisor(m_image.height());
    uint8_t* row = m_image.row(0);
    for (int k = 0; k < bins; ++k) {
        const int v0 = truncToInt(m_magnitude[static_cast<std::size_t>(k)]);
        const int v1 = truncToInt(m_magnitude[static_cast<std::size_t>(k + 1)]);
        const int step = (v1 - v0) / pixelsPerBin;
        int value = v0;
        for (int j = 0; j < pixelsPerBin; ++j, value += step)
            row[k * pixelsPerBin + j] = static_cast<uint8_t>(std::clamp(value / divisor, 0, 255));
    }
}

void SpectrumRenderer::drawSpectrumLine(int bins, int pixelsPerBin, const SpectrumOptions& options) noexcept
{
    const int h = m_image.height();
    const float scale = static_cast<float>(m_autoScale.scale());
    const uint8_t colour = spectrumLineIndex();
    const bool average = m_type == DisplayType::SpectrumLine && options.showAverage;
    int px = 0, py = 0;
    for (int k = 0; k < bins; ++k) {
        const int level = truncToInt(m_magnitude[static_cast<std::size_t>(k)] / scale);
        const int x = k * pixelsPerBin;
        const int y = h - level - 1;
        if (k > 0) m_image.drawLine(px, py, x, y, colour);
        if (bins == 1) m_image.set(x, y, colour);
        px = x;
        py = y;
        if (average) {
            int& a = m_average[static_cast<std::size_t>(k)];
            a = a + level - a / 16;
        }
    }
}

void SpectrumRenderer::drawAverage(int bins, int pixelsPerBin, const SpectrumOptions& options) noexcept
{
    const int h = m_image.height();
    const uint8_t colour = averageLineIndex();
    const int pen = options.averageThickLine ? 3 : 1;
    int px = 0, py = 0;
    for (int k = 0; k < bins; ++k) {
        int y = m_average[static_cast<std::size_t>(k)] / 16 - 1;
        if (!options.averageInverted) y = h - y;
        const int x = k * pixelsPerBin;
        if (k > 0) m_image.drawLine(px, py, x, y, colour, pen);
        px = x;
        py = y;
    }
}

void SpectrumRenderer::saveScrolled() noexcept
{
    const int h = m_image.height();
    if (h < 2) return;
    const std::size_t stride = static_cast<std::size_t>(m_image.stride());
    std::memcpy(m_saved.row(1), m_image.row(0), stride * static_cast<std::size_t>(h - 1));
}

}  // namespace vexa::display
