#include "engine/tx/voice_keyer.h"

#include <system_error>

namespace vexa::engine {

VoiceKeyer::VoiceKeyer(TransmitAudio& audio, KeyLine& keyLine, VoicePlayer& player,
                       std::function<void()> endDigitalTransmission)
    : m_audio(audio), m_keyLine(keyLine), m_player(player), m_endDigital(std::move(endDigitalTransmission))
{
}

VoiceKeyer::~VoiceKeyer()
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.clear();
    }
    if (m_thread.joinable()) m_thread.join();
}

void VoiceKeyer::setDirectory(std::string directory)
{
    std::lock_guard lock(m_mutex);
    m_directory = std::move(directory);
}

void VoiceKeyer::queueMessage(int n)
{
    std::lock_guard lock(m_mutex);
    m_queue.push_back(n);
    if (m_running) return;  // the thread takes it: it checks the queue under this lock
    // A thread that has marked itself finished has nothing left to do but return.
    if (m_thread.joinable()) m_thread.join();
    try {
        m_thread = std::thread([this] { run(); });
        m_running = true;
    } catch (const std::system_error&) {
        m_keyLine.SetPtt(false);
    }
}

void VoiceKeyer::clearQueue()
{
    std::lock_guard lock(m_mutex);
    m_queue.clear();
}

bool VoiceKeyer::running() const
{
    std::lock_guard lock(m_mutex);
    return m_running;
}

std::size_t VoiceKeyer::queued() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

void VoiceKeyer::waitIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_running; });
}

void VoiceKeyer::run()
{
    if (m_endDigital) m_endDigital();
    const bool inputWasOpen = m_audio.inputOpen();
    m_audio.CloseWaveIn();
    m_keyLine.SetPtt(true);

    std::unique_lock lock(m_mutex);
    while (!m_queue.empty()) {
        const int m = m_queue.front();
        m_queue.pop_front();
        const std::string path = m_directory.empty() ? fileName(m) : m_directory + "/" + fileName(m);
        lock.unlock();
        m_player.play(path);  // a missing file is skipped
        lock.lock();
    }
    m_keyLine.SetPtt(false);
    if (inputWasOpen) m_audio.OpenWaveIn();
    // Still under the lock: queueMessage either saw this thread running before the queue
    // was found empty (and the message was played) or sees it finished and starts another.
    m_running = false;
    m_idle.notify_all();
}

}  // namespace vexa::engine
