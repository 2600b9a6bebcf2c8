#include "engine/audio/voice_file_player.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "engine/audio/audio_file.h"

namespace vexa::engine {

bool VoiceFilePlayer::play(const std::string& path)
{
    const AudioReadResult file = readAudioFile(path);
    if (!file.ok()) return false;
    m_audio.OpenWaveOut();
    if (!m_audio.outputOpen()) return false;
    {
        std::lock_guard lock(m_mutex);
        m_returned.clear();
    }

    std::size_t next = 0;
    int inFlight = 0;
    const auto fill = [&](WaveHeader& h) {
        if (next >= file.samples.size() || h.data == nullptr) return;
        const std::size_t capacity = h.bufferLength / 2;
        const std::size_t n = std::min(capacity, file.samples.size() - next);
        std::memcpy(h.data, file.samples.data() + next, n * sizeof(int16_t));
        std::fill(h.data + n, h.data + capacity, int16_t{0});
        next += n;
        if (m_audio.writeOutput(h)) ++inFlight;
    };
    for (WaveHeader& h : m_audio.outputHeaders()) fill(h);
    while (inFlight > 0) {
        WaveHeader* h = nullptr;
        {
            std::unique_lock lock(m_mutex);
            // A block that never comes back (a device gone) must not hold the key line
            // for ever: one block lasts 0.37 s, so two seconds is a dead output.
            if (!m_done.wait_for(lock, std::chrono::seconds(2), [this] { return !m_returned.empty(); }))
                break;
            h = m_returned.front();
            m_returned.pop_front();
        }
        --inFlight;
        fill(*h);
    }
    m_audio.CloseWaveOut();
    return true;
}

void VoiceFilePlayer::onOutputDone(WaveHeader* header)
{
    {
        std::lock_guard lock(m_mutex);
        m_returned.push_back(header);
    }
    m_done.notify_one();
}

}  // namespace vexa::engine
