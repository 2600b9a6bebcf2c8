// The voice keyer of the SSB modes: function keys queue recorded messages ("SSB1.wav" for
// message 0, ...) that play in order through the sound-card output with the key line on;
// Esc or closing the window stops at once. It runs on the GUI thread like the transmit
// path, driven by the played output blocks coming back, so the sound card is only ever
// used from that one thread and nothing waits for a message to end.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/tx/key_line.h"
#include "engine/tx/transmit_audio.h"

namespace vexa::engine {

class VoiceKeyer {
public:
    // Reads a recording as 11025 Hz mono samples; false when it cannot be read.
    using Loader = std::function<bool(const std::string& path, std::vector<int16_t>& samples)>;

    // endDigitalTransmission: called before the first message is keyed, ends a digital
    // transmission still running (its output, key line and input); may be empty.
    VoiceKeyer(TransmitAudio& audio, KeyLine& keyLine, Loader load,
               std::function<void()> endDigitalTransmission = {});
    ~VoiceKeyer();  // stops

    VoiceKeyer(const VoiceKeyer&) = delete;
    VoiceKeyer& operator=(const VoiceKeyer&) = delete;

    // Files are looked up in this directory (default: the current one).
    void setDirectory(std::string directory) { m_directory = std::move(directory); }
    // Queues message n (0-based; file "SSB<n+1>.wav"); starts playing when nothing plays.
    void queueMessage(int n);
    // Esc, a mode change, closing: the queue is dropped, the message playing ends now, the
    // key line drops and the input opens again if it was open before.
    void stop();
    // An output block came back from the open output while running(): refilled with
    // the rest of the message; once all are back, the next message starts or the keyer ends.
    void onOutputDone(WaveHeader* header);

    // From the first message keyed until the key line is released.
    bool running() const noexcept { return m_running; }
    std::size_t queued() const noexcept { return m_queue.size(); }

    static std::string fileName(int n) { return "SSB" + std::to_string(n + 1) + ".wav"; }

private:
    void playNext();
    void fill(WaveHeader& header);
    void finish();

    TransmitAudio& m_audio;
    KeyLine& m_keyLine;
    Loader m_load;
    std::function<void()> m_endDigital;
    std::string m_directory;

    std::deque<int> m_queue;
    bool m_running = false;
    bool m_inputWasOpen = false;
    std::vector<int16_t> m_samples;  // the message playing
    std::size_t m_next = 0;          // first sample not yet written
    int m_inFlight = 0;              // blocks written and not yet back
};

}  // namespace vexa::engine
