#include "engine/receive_dispatch.h"

#include <algorithm>
#include <span>
#include <utility>

namespace vexa::engine {

ReceiveDispatch::ReceiveDispatch(ModeReceiver& receiver, SpectrumCapture& capture, WaveDispatchPort port)
    : m_receiver(receiver), m_capture(capture), m_port(std::move(port))
{
}

ReceiveDispatch::InputResult ReceiveDispatch::OnWaveInData(WaveDevice device, WaveHeader& header)
{
    InputResult result;
    if (!m_port.isOpenInput || !m_port.isOpenInput(device)) return result;

    // Never read past the buffer, whatever the recorded count claims.
    const uint32_t bytes = std::min(header.bytesRecorded, header.bufferLength);
    const std::size_t count = header.data == nullptr ? 0 : bytes / 2;
    const std::span<const int16_t> samples(header.data, count);
    const bool transmitting = m_port.transmitting && m_port.transmitting();
    result.retuned = m_receiver.receive(samples, transmitting);
    // Voice modes and transmissions still feed the display.
    if (header.bytesRecorded == kInputBlockBytes) result.captured = m_capture.offer(samples);
    result.requeued = m_port.requeueInput && m_port.requeueInput(header);
    return result;
}

bool ReceiveDispatch::OnWaveOutDone(WaveDevice device, WaveHeader& header)
{
    if (!m_port.isOpenOutput || !m_port.isOpenOutput(device)) return false;
    if (m_port.fillTransmitBlock) m_port.fillTransmitBlock(header);
    return true;
}

}  // namespace vexa::engine
