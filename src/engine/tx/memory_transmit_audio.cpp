#include "engine/tx/memory_transmit_audio.h"

#include "engine/tx/transmit_machine.h"

namespace vexa::engine {

MemoryTransmitAudio::MemoryTransmitAudio()
{
    for (std::size_t i = 0; i < kOutputBlockCount; ++i) {
        m_headers[i].data = m_data[i].data();
        m_headers[i].bufferLength = kOutputBlockBytes;
    }
}

void MemoryTransmitAudio::OpenWaveOut()
{
    if (failOpenOutput) return;
    m_outputOpen = true;
}

void MemoryTransmitAudio::CloseWaveOut()
{
    if (!m_outputOpen) return;
    m_outputOpen = false;
    m_queue.clear();  // a reset returns the queued blocks unplayed
}

bool MemoryTransmitAudio::writeOutput(WaveHeader& header)
{
    if (!m_outputOpen) return false;
    if (refuseWritesAfter >= 0 && writes >= refuseWritesAfter) return false;
    ++writes;
    m_queue.push_back(&header);
    return true;
}

WaveHeader* MemoryTransmitAudio::playNext(std::vector<int16_t>& out)
{
    if (m_queue.empty()) return nullptr;
    WaveHeader* header = m_queue.front();
    m_queue.pop_front();
    out.insert(out.end(), header->data, header->data + header->bufferLength / 2);
    return header;
}

std::vector<int16_t> renderTransmission(TransmitMachine& machine, MemoryTransmitAudio& audio,
                                        std::size_t maxSamples)
{
    std::vector<int16_t> out;
    if (machine.ToggleTransmit() != TransmitMachine::Toggle::Started) return out;
    while (machine.active() && out.size() < maxSamples) {
        WaveHeader* played = audio.playNext(out);
        if (played == nullptr) break;
        machine.FillTransmitBlock(played);
    }
    return out;
}

}  // namespace vexa::engine
