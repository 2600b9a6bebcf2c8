#include "engine/spectrum_capture.h"

namespace vexa::engine {

bool SpectrumCapture::offer(std::span<const int16_t> block) noexcept
{
    if (m_ready || block.size() != 2 * kPoints) return false;
    for (std::size_t i = 0; i < kPoints; ++i) {
        m_re[i] = static_cast<float>(int32_t{block[2 * i]} + int32_t{block[2 * i + 1]});
        m_im[i] = 0.0f;
    }
    m_ready = true;
    return true;
}

}  // namespace vexa::engine
