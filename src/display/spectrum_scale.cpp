#include "display/spectrum_scale.h"

#include <algorithm>
#include <cmath>

namespace vexa::display {

SpectrumScale::SpectrumScale(double startHz, int zoom) noexcept
    : m_startHz(startHz), m_zoom(std::clamp(zoom, 0, 2)), m_startBin(0)
{
    // A negative or absurd start would index before the transform; keep it in the 2048 bins.
    const double bin = std::trunc(startHz / kBinWidthHz);
    m_startBin = static_cast<int>(std::clamp(bin, 0.0, static_cast<double>(kMaxBins - 1)));
}

int SpectrumScale::binsShown(int widthPx) const noexcept
{
    if (widthPx < 10) return 0;
    return std::min((widthPx - 10) / pixelsPerBin(), kMaxBins);
}

int SpectrumScale::pixelOf(double hz) const noexcept
{
    const double f = kBinWidthHz;
    const double x = (hz - m_startBin * f) * pixelsPerBin() / f + 0.5;
    return static_cast<int>(std::clamp(std::trunc(x), -1.0e6, 1.0e6));
}

double SpectrumScale::frequencyAt(int x256) const noexcept
{
    const double f = kBinWidthHz;
    return x256 * f / (512.0 * m_zoom + 512.0) + m_startBin * f;
}

}  // namespace vexa::display
