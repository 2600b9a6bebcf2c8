// The frequency axis of the spectrum window: which transform bin is the first one shown,
// how many pixels each bin takes, and the conversions between pixels and audio frequencies
// that drawing and mouse tuning share.
#pragma once

#include "display/spectrum_transform.h"

namespace vexa::display {

class SpectrumScale {
public:
    // 11025 samples/s summed in pairs into the transform: 5512.5 / 1024 Hz per bin.
    static constexpr float kBinWidthHz = 5512.5f / SpectrumTransform::kPoints;
    static constexpr int kMaxBins = 2048;

    // startHz: the "StartFq" setting (Hz, lowest frequency shown); zoom: the "Zoom" setting,
    // 0, 1 or 2 (values outside are clamped).
    SpectrumScale(double startHz, int zoom) noexcept;

    double startHz() const noexcept { return m_startHz; }
    int zoom() const noexcept { return m_zoom; }
    int startBin() const noexcept { return m_startBin; }
    int pixelsPerBin() const noexcept { return 2 * m_zoom + 2; }

    // Bins that fit a control of this width: (width - 10) / pixels per bin, 0..2048.
    int binsShown(int widthPx) const noexcept;

    // Pixel column of an audio frequency (may lie outside the control).
    int pixelOf(double hz) const noexcept;

    // Audio frequency of a mouse position given in 1/256 pixel.
    double frequencyAt(int x256) const noexcept;

private:
    double m_startHz;
    int m_zoom;
    int m_startBin;
};

}  // namespace vexa::display
