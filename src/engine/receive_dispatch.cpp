#include "engine/receive_dispatch.h"

#include <algorithm>
#include <utility>

#include "common/operating_mode.h"

namespace vexa::engine {

ReceiveDispatch::ReceiveDispatch(PskDemodulator& main, PskDemodulator& second, WaveDispatchPort port)
    : m_second(second), m_port(std::move(port))
{
    m_byMode[static_cast<std::size_t>(OperatingMode::Psk31)] = &main;
    m_byMode[static_cast<std::size_t>(OperatingMode::Qpsk)] = &main;
}

void ReceiveDispatch::setDemodulator(int mode, PskDemodulator* demodulator) noexcept
{
    if (mode >= 0 && mode < kModes) m_byMode[static_cast<std::size_t>(mode)] = demodulator;
}

PskDemodulator* ReceiveDispatch::demodulator(int mode) const noexcept
{
    return (mode >= 0 && mode < kModes) ? m_byMode[static_cast<std::size_t>(mode)] : nullptr;
}

void ReceiveDispatch::setBlockReceiver(int mode, BlockReceiver receiver)
{
    if (mode >= 0 && mode < kModes) m_blockReceivers[static_cast<std::size_t>(mode)] = std::move(receiver);
}

void ReceiveDispatch::demodulate(std::span<const int16_t> samples) noexcept
{
    if (transmitting || samples.empty()) return;
    if (operatingMode >= 0 && operatingMode < kModes) {
        const BlockReceiver& receiver = m_blockReceivers[static_cast<std::size_t>(operatingMode)];
        if (receiver) {
            receiver(samples);
            return;
        }
    }
    PskDemodulator* demodulator = this->demodulator(operatingMode);
    if (demodulator == nullptr) return;
    // The two PSK channels are independent, so running the block through one and then the
    // other gives the same symbols as interleaving them sample by sample.
    demodulator->processBlock(samples);
    const bool psk =
        isMode(operatingMode, OperatingMode::Psk31) || isMode(operatingMode, OperatingMode::Qpsk);
    if (psk && secondChannelFrequency > 0.0) m_second.processBlock(samples);
}

int ReceiveDispatch::OnWaveInData(WaveDevice device, WaveHeader& header)
{
    if (!m_port.isOpenInput || !m_port.isOpenInput(device)) return 0;

    // Never read past the buffer, whatever the recorded count claims.
    const uint32_t bytes = std::min(header.bytesRecorded, header.bufferLength);
    const std::size_t count = header.data == nullptr ? 0 : bytes / 2;
    const std::span<const int16_t> samples(header.data, count);
    demodulate(samples);

    if (spectrumCaptureRequested && header.bytesRecorded == kInputBlockBytes &&
        count * 2 == kInputBlockBytes) {
        for (std::size_t i = 0; i < SpectrumInput::kPoints; ++i) {
            spectrum.re[i] = static_cast<float>(int32_t{samples[2 * i]} + int32_t{samples[2 * i + 1]});
            spectrum.im[i] = 0.0f;
        }
        spectrumCaptureRequested = false;
        if (m_port.invalidateSpectrum) m_port.invalidateSpectrum();
    }

    return (m_port.requeueInput && m_port.requeueInput(header)) ? 1 : 0;
}

int ReceiveDispatch::OnWaveOutDone(WaveDevice device, WaveHeader& header)
{
    if (!m_port.isOpenOutput || !m_port.isOpenOutput(device)) return 0;
    if (m_port.fillTransmitBlock) m_port.fillTransmitBlock(header);
    return 1;
}

}  // namespace vexa::engine
