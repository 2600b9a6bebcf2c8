// Plays an audio file through the sound-card output for the voice keyer: the file is read
// (any format, converted to 11025 Hz mono 16-bit), the four output blocks circulate, and
// play() returns when the last block has come back. The application routes OutputDone
// events to onOutputDone while a voice message plays.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

#include "engine/tx/transmit_audio.h"
#include "engine/tx/voice_keyer.h"

namespace vexa::engine {

class VoiceFilePlayer : public VoicePlayer {
public:
    explicit VoiceFilePlayer(TransmitAudio& audio) : m_audio(audio) {}

    // Voice keyer thread. False when the file cannot be read or the output cannot open.
    bool play(const std::string& path) override;
    // Any thread: an output block has been played.
    void onOutputDone(WaveHeader* header);

private:
    TransmitAudio& m_audio;
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::deque<WaveHeader*> m_returned;
};

}  // namespace vexa::engine
