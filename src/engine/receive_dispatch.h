// Hands each filled sound-card input block to the demodulator of the current operating
// mode, copies it for the spectrum display when asked, and gives the block back to the
// sound card. Played output blocks go to the transmit path. Runs on the GUI thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "common/operating_mode.h"
#include "engine/audio/wave_header.h"
#include "engine/rx/psk_demodulator.h"
#include "engine/spectrum_input.h"

namespace vexa::engine {

// What the dispatch needs from the sound card (SoundCard provides all of it).
struct WaveDispatchPort {
    std::function<bool(WaveDevice)> isOpenInput;    // device is the open input handle
    std::function<bool(WaveHeader&)> requeueInput;  // false: the block is dropped
    std::function<bool(WaveDevice)> isOpenOutput;
    std::function<void(WaveHeader&)> fillTransmitBlock;
    std::function<void()> invalidateSpectrum;  // a capture is ready to draw
};

class ReceiveDispatch {
public:
    static constexpr int kModes = kOperatingModeCount;

    // main serves PSK31 and QPSK, second the second PSK channel. Not owned.
    ReceiveDispatch(PskDemodulator& main, PskDemodulator& second, WaveDispatchPort port);

    // The demodulator for a mode (4: RTTY, 11: FSK31); nullptr: nothing is demodulated.
    void setDemodulator(int mode, PskDemodulator* demodulator) noexcept;
    PskDemodulator* demodulator(int mode) const noexcept;
    // A receiver of another shape for a mode (the matched-filter RTTY receiver): while set,
    // it takes the mode's blocks instead of the demodulator. Empty function: none.
    using BlockReceiver = std::function<void(std::span<const int16_t>)>;
    void setBlockReceiver(int mode, BlockReceiver receiver);

    // Main-window state the dispatch reads (and, for the capture flag, clears).
    int operatingMode = modeNumber(OperatingMode::Psk31);
    bool transmitting = false;
    double secondChannelFrequency = 0.0;  // Hz; 0 = second channel off
    bool spectrumCaptureRequested = true;
    SpectrumInput spectrum;

    // The input-data message. Returns 1 when the block was queued again, else 0; a block
    // from any device but the open input is ignored and not queued.
    int OnWaveInData(WaveDevice device, WaveHeader& header);
    // The output-done message: 1 when handled (the block went to the transmit path).
    int OnWaveOutDone(WaveDevice device, WaveHeader& header);

    // The demodulation step alone (no capture, no requeue).
    void demodulate(std::span<const int16_t> samples) noexcept;

private:
    PskDemodulator& m_second;
    WaveDispatchPort m_port;
    std::array<PskDemodulator*, kModes> m_byMode{};
    std::array<BlockReceiver, kModes> m_blockReceivers{};
};

}  // namespace vexa::engine
