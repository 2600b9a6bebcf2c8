// An in-memory operating state for the spectrum display: frequencies and flags are plain
// fields, retuning is recorded, and blocks reach the display through a real spectrum
// capture.
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
    OperatingMode mode = OperatingMode::Psk31;
    double transmitHz = 1000.0;
    double receiveHz = 1000.0;
    double secondHz = 0.0;
    bool net = true;
    int32_t drift = 0;
    display::SpectrumSettings settings;
    engine::SpectrumCapture capture;
    display::TuningClicks clicks;

    int retunes = 0;
    std::vector<double> secondChannelCalls;

    // What the receive dispatch does with each block. Returns whether it was captured.
    bool offerBlock(std::span<const int16_t> block) { return capture.offer(block); }

    OperatingMode operatingMode() const override { return mode; }
    double transmitFrequency() const override { return transmitHz; }
    double receiveFrequency() const override { return receiveHz; }
    double secondChannelFrequency() const override { return secondHz; }
    bool netEnabled() const override { return net; }
    int32_t driftIndicator() const override { return drift; }
    display::SpectrumSettings spectrumSettings() const override { return settings; }
    engine::SpectrumCapture& spectrumCapture() override { return capture; }
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
    display::TuningClicks& tuningClicks() override { return clicks; }
};

}  // namespace vexa::testing
