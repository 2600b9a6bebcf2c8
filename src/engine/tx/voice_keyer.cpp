#include "engine/tx/voice_keyer.h"

#include <algorithm>
#include <cstring>

namespace vexa::engine {

VoiceKeyer::VoiceKeyer(TransmitAudio& audio, KeyLine& keyLine, Loader load,
                       std::function<void()> endDigitalTransmission)
    : m_audio(audio),
      m_keyLine(keyLine),
      m_load(std::move(load)),
      m_endDigital(std::move(endDigitalTransmission))
{
}

VoiceKeyer::~VoiceKeyer()
{
    stop();
}

void VoiceKeyer::queueMessage(int n)
{
    m_queue.push_back(n);
    if (m_running) return;  // taken when the message playing has ended
    m_running = true;
    if (m_endDigital) m_endDigital();
    m_inputWasOpen = m_audio.inputOpen();
    m_audio.CloseWaveIn();
    m_keyLine.SetPtt(true);
    playNext();
}

// Starts the first message of the queue that can be played; a missing file, or an output
// that will not open, skips the message. With none left the keyer ends.
void VoiceKeyer::playNext()
{
    while (!m_queue.empty()) {
        const int m = m_queue.front();
        m_queue.pop_front();
        const std::string path = m_directory.empty() ? fileName(m) : m_directory + "/" + fileName(m);
        m_samples.clear();
        if (!m_load || !m_load(path, m_samples) || m_samples.empty()) continue;
        m_audio.OpenWaveOut();
        if (!m_audio.outputOpen()) continue;
        m_next = 0;
        m_inFlight = 0;
        for (WaveHeader& h : m_audio.outputHeaders()) fill(h);
        if (m_inFlight > 0) return;
        m_audio.CloseWaveOut();  // every block refused: the device has failed
    }
    finish();
}

void VoiceKeyer::fill(WaveHeader& h)
{
    if (m_next >= m_samples.size() || h.data == nullptr) return;
    const std::size_t capacity = h.bufferLength / 2;
    const std::size_t n = std::min(capacity, m_samples.size() - m_next);
    std::memcpy(h.data, m_samples.data() + m_next, n * sizeof(int16_t));
    std::fill(h.data + n, h.data + capacity, int16_t{0});
    m_next += n;
    if (m_audio.writeOutput(h)) ++m_inFlight;
}

void VoiceKeyer::onOutputDone(WaveHeader* header)
{
    if (!m_running || m_inFlight == 0 || header == nullptr) return;
    --m_inFlight;
    fill(*header);
    if (m_inFlight > 0) return;
    m_audio.CloseWaveOut();
    playNext();
}

void VoiceKeyer::stop()
{
    m_queue.clear();
    if (!m_running) return;
    m_inFlight = 0;
    m_audio.CloseWaveOut();  // the blocks still out come back to a closed output
    finish();
}

void VoiceKeyer::finish()
{
    m_samples.clear();
    m_keyLine.SetPtt(false);
    if (m_inputWasOpen) m_audio.OpenWaveIn();
    m_running = false;
}

}  // namespace vexa::engine
