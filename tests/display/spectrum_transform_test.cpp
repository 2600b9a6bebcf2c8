#include "display/spectrum_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

namespace vexa::display {
namespace {

TEST(SpectrumTransform, MatchesDirectTransform)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(-30000.0f, 30000.0f);
    SpectrumTransform::Buffer re{}, im{};
    for (std::size_t i = 0; i < 1024; ++i) {
        re[i] = u(rng);
        im[i] = u(rng) * 0.5f;
    }
    const auto inRe = re, inIm = im;
    SpectrumTransform().transform(re, im);

    double worst = 0.0, largest = 0.0;
    for (int k = 0; k < 1024; k += 37) {
        std::complex<double> sum;
        for (int n = 0; n < 1024; ++n) {
            const double a = -2.0 * std::numbers::pi * k * n / 1024.0;
            sum +=
                std::complex<double>(inRe[static_cast<std::size_t>(n)], inIm[static_cast<std::size_t>(n)]) *
                std::polar(1.0, a);
        }
        const std::complex<double> got(re[static_cast<std::size_t>(k)], im[static_cast<std::size_t>(k)]);
        worst = std::max(worst, std::abs(got - sum));
        largest = std::max(largest, std::abs(sum));
    }
    EXPECT_LT(worst, largest * 1e-4);
}

TEST(SpectrumTransform, ToneLandsInItsBin)
{
    SpectrumTransform::Buffer re{}, im{};
    for (int n = 0; n < 1024; ++n)
        re[static_cast<std::size_t>(n)] = std::cos(2 * std::numbers::pi * 100 * n / 1024.0);
    SpectrumTransform().transform(re, im);
    EXPECT_NEAR(std::hypot(re[100], im[100]), 512.0, 0.1);
    EXPECT_NEAR(std::hypot(re[924], im[924]), 512.0, 0.1);  // the mirror of a real input
    EXPECT_LT(std::hypot(re[101], im[101]), 0.1);
}

}  // namespace
}  // namespace vexa::display
