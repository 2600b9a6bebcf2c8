// The block the spectrum display transforms: 1024 complex points captured from one input
// block by summing sample pairs (5512.5 points per second).
#pragma once

#include <array>

namespace vexa::engine {

struct SpectrumInput {
    static constexpr int kPoints = 1024;
    std::array<float, kPoints> re{};
    std::array<float, kPoints> im{};
};

}  // namespace vexa::engine
