// Between the engine's 16-bit mono samples and the float, multi-channel frames of files,
// devices and the resampler.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vexa::engine {

// A float sample as the engine can take it: NaN is silence and an infinity full scale,
// so that one corrupt value neither reaches an undefined conversion nor, through the
// resampler's filter, spreads over its neighbours.
inline float finiteSample(float v) noexcept
{
    if (std::isnan(v)) return 0.0F;
    if (std::isinf(v)) return v > 0.0F ? 1.0F : -1.0F;
    return v;
}

// Full scale is 32768 (not 32767), which keeps a 16-bit source bit-exact through the float
// path; values beyond full scale clip, NaN is silence.
inline int16_t floatToSample(float v) noexcept
{
    if (std::isnan(v)) return 0;
    const double scaled = std::nearbyint(static_cast<double>(v) * 32768.0);
    if (scaled >= 32767.0) return 32767;
    if (scaled <= -32768.0) return -32768;
    return static_cast<int16_t>(static_cast<int32_t>(scaled));
}

// The mean of each frame of 'channels' interleaved values (each made finite first); mono
// holds one value per frame.
inline void mixToMono(std::span<const float> interleaved, int channels, std::span<float> mono) noexcept
{
    const auto width = static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        float sum = 0.0F;
        for (std::size_t c = 0; c < width; ++c) sum += finiteSample(interleaved[i * width + c]);
        mono[i] = sum / static_cast<float>(channels);
    }
}

// Every mono value repeated on each of 'channels' interleaved channels.
template <typename T>
void spreadToChannels(std::span<const T> mono, int channels, std::vector<T>& frames)
{
    const auto width = static_cast<std::size_t>(channels);
    frames.resize(mono.size() * width);
    for (std::size_t i = 0; i < mono.size(); ++i)
        for (std::size_t c = 0; c < width; ++c) frames[i * width + c] = mono[i];
}

}  // namespace vexa::engine
