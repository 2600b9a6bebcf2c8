// Paints one frame of the spectrum window into an indexed image: transform of the captured
// block, automatic scale, then by display type the spectrum line (with its average), the
// line history or a new waterfall row, and the scrolled copy for the next frame. Owns the
// display state that lives from frame to frame (type, running scale, average, history).
#pragma once

#include <array>
#include <span>

#include "common/operating_mode.h"
#include "display/auto_scale.h"
#include "display/display_type.h"
#include "display/indexed_image.h"
#include "display/spectrum_scale.h"
#include "display/spectrum_transform.h"

namespace vexa::display {

struct SpectrumOptions {
    bool showAverage = false;       // "ShowAverage"
    bool averageInverted = false;   // "AverageInverted"
    bool averageThickLine = false;  // "AverageThickLine"
};

class SpectrumRenderer {
public:
    static constexpr int kPoints = SpectrumTransform::kPoints;
    using Capture = std::span<const float, kPoints>;

    SpectrumRenderer() noexcept;

    DisplayType displayType() const noexcept { return m_type; }
    // Switching type clears the scrolled history.
    void setDisplayType(DisplayType type) noexcept;
    void stepDisplayType() noexcept { setDisplayType(nextDisplayType(m_type)); }

    // Draws a frame of widthPx x heightPx from the captured block (real and imaginary parts;
    // the block is copied, not changed). mode and transmitHz steer the autoscale peak window.
    void render(Capture re, Capture im, const SpectrumScale& scale, int widthPx, int heightPx,
                OperatingMode mode, double transmitHz, const SpectrumOptions& options) noexcept;

    const IndexedImage& image() const noexcept { return m_image; }
    int runningScale() const noexcept { return m_autoScale.scale(); }
    int divisor() const noexcept { return m_autoScale.divisor(m_image.height()); }
    // Magnitudes of the last frame's shown bins (one more than shown, for interpolation).
    std::span<const float> magnitudes() const noexcept
    {
        return std::span<const float>(m_magnitude.data(), static_cast<std::size_t>(m_binsShown));
    }
    const std::array<int, SpectrumScale::kMaxBins>& average() const noexcept { return m_average; }

    // Palette indices the lines are drawn with: the entries nearest RGB(255, 200, 0) for the
    // spectrum and RGB(0, 128, 240) for the average.
    static uint8_t spectrumLineIndex() noexcept;
    static uint8_t averageLineIndex() noexcept;

private:
    void computeMagnitudes(Capture re, Capture im, int startBin, int bins) noexcept;
    void drawWaterfallRow(int bins, int pixelsPerBin) noexcept;
    void drawSpectrumLine(int bins, int pixelsPerBin, const SpectrumOptions& options) noexcept;
    void drawAverage(int bins, int pixelsPerBin, const SpectrumOptions& options) noexcept;
    void saveScrolled() noexcept;

    SpectrumTransform m_transform;
    SpectrumTransform::Buffer m_re{};
    SpectrumTransform::Buffer m_im{};
    std::array<float, SpectrumScale::kMaxBins + 1> m_magnitude{};
    int m_binsShown = 0;
    std::array<int, SpectrumScale::kMaxBins> m_average{};
    AutoScale m_autoScale;
    DisplayType m_type = DisplayType::Waterfall;
    IndexedImage m_image;
    IndexedImage m_saved;
};

}  // namespace vexa::display
