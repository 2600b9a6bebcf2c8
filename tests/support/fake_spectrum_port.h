// An in-memory operating state for the spectrum display: frequencies and flags are plain
// fields, retuning is recorded, and the capture buffer can be filled from audio samples the
// way the receive dispatch does (sample pairs summed, imaginary parts zero).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <vector>

#include "display/spectrum_port.h"

namespace vexa::testing {

// One input block (2048 samples at 11025 Hz) of a steady tone at a moderate level.
inline std::array<int16_t, 2048> toneBlock(double hz)
{
    std::array<int16_t, 2048> b{};
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = static_cast<int16_t>(8000 *
                                    std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / 11025.0));
    return b;
}

class FakeSpectrumPort : public display::SpectrumPort {
public:
    int mode = 9;
    double transmitHz = 1000.0;
    double receiveHz = 1000.0;
    double secondHz = 0.0;
    bool isTransmitting = false;
    bool afc = false;
    bool net = true;
    int32_t drift = 0;
    display::SpectrumSettings settings;
    std::array<float, 1024> re{};
    std::array<float, 1024> im{};
    bool captureRequested = true;
    display::TuningClicks clicks;

    int afcSteps = 0;
    int retunes = 0;
    std::vector<double> secondChannelCalls;

    // Copies one 2048-sample block into the capture, as the receive dispatch does when a
    // capture is requested. Returns whether it captured.
    bool offerBlock(std::span<const int16_t> block)
    {
        if (!captureRequested || block.size() != 2048) return false;
        for (std::size_t i = 0; i < 1024; ++i) {
            re[i] = static_cast<float>(int{block[2 * i]} + int{block[2 * i + 1]});
            im[i] = 0.0f;
        }
        captureRequested = false;
        return true;
    }

    int operatingMode() const override { return mode; }
    double transmitFrequency() const override { return transmitHz; }
    double receiveFrequency() const override { return receiveHz; }
    double secondChannelFrequency() const override { return secondHz; }
    bool transmitting() const override { return isTransmitting; }
    bool afcEnabled() const override { return afc; }
    bool netEnabled() const override { return net; }
    int32_t driftIndicator() const override { return drift; }
    display::SpectrumSettings spectrumSettings() const override { return settings; }
    std::span<const float, 1024> spectrumReal() const override { return re; }
    std::span<const float, 1024> spectrumImag() const override { return im; }
    bool spectrumCaptureRequested() const override { return captureRequested; }
    void requestSpectrumCapture() override { captureRequested = true; }
    void tuneTransmitAndReceive(double hz) override
    {
        transmitHz = receiveHz = hz;
        drift = 0;
        ++retunes;
    }
    void tuneReceive(double hz) override
    {
        receiveHz = hz;
        drift = 0;
        ++retunes;
    }
    void setSecondChannelFrequency(double hz) override
    {
        secondHz = hz;
        secondChannelCalls.push_back(hz);
    }
    void afcStep() override { ++afcSteps; }
    display::TuningClicks& tuningClicks() override { return clicks; }
};

}  // namespace vexa::testing
