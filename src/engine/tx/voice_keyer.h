// The voice keyer of the SSB modes: function keys queue recorded messages ("SSB1.wav" for
// message 0, ...) that one thread plays in order with the key line on; Esc empties the
// queue. The queue and the thread's running flag share one lock, so a message queued
// while the thread is finishing either is played by it or starts a new thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "engine/tx/key_line.h"
#include "engine/tx/transmit_audio.h"

namespace vexa::engine {

// Plays one audio file through the sound-card output and returns when it has played.
class VoicePlayer {
public:
    virtual ~VoicePlayer() = default;
    virtual bool play(const std::string& path) = 0;  // false: could not be played
};

class VoiceKeyer {
public:
    // endDigitalTransmission: called first by the thread, ends a digital transmission
    // still running (closes its output); may be empty.
    VoiceKeyer(TransmitAudio& audio, KeyLine& keyLine, VoicePlayer& player,
               std::function<void()> endDigitalTransmission = {});
    ~VoiceKeyer();  // empties the queue and waits for the message playing to end

    VoiceKeyer(const VoiceKeyer&) = delete;
    VoiceKeyer& operator=(const VoiceKeyer&) = delete;

    // Files are looked up in this directory (default: the current one).
    void setDirectory(std::string directory);
    // Queues message n (0-based; file "SSB<n+1>.wav") and starts the thread if none runs.
    // GUI thread.
    void queueMessage(int n);
    // Esc: messages not yet started are dropped.
    void clearQueue();
    bool running() const;
    std::size_t queued() const;
    // Blocks until the thread has finished (tests and shutdown).
    void waitIdle();

    static std::string fileName(int n) { return "SSB" + std::to_string(n + 1) + ".wav"; }

private:
    void run();

    TransmitAudio& m_audio;
    KeyLine& m_keyLine;
    VoicePlayer& m_player;
    std::function<void()> m_endDigital;
    std::string m_directory;

    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    std::deque<int> m_queue;
    bool m_running = false;
    std::thread m_thread;
};

}  // namespace vexa::engine
