// The 1024-point complex transform behind the spectrum display: an in-place radix-2 FFT in
// single precision. About five blocks a second go through it, so clarity beats speed here.
#pragma once

#include <array>
#include <cstdint>

namespace vexa::display {

class SpectrumTransform {
public:
    static constexpr int kPoints = 1024;
    static constexpr int kStages = 10;
    using Buffer = std::array<float, kPoints>;

    SpectrumTransform() noexcept;

    // Replaces (re, im) by their discrete Fourier transform (no scaling). Allocates nothing.
    void transform(Buffer& re, Buffer& im) const noexcept;

private:
    std::array<uint16_t, kPoints> m_reversed{};
};

}  // namespace vexa::display
