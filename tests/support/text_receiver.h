// The engine's receive loop as the tests run it: a mode receiver whose main channel writes
// into a string, fed a recording in sound-card blocks of 2048 samples.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "engine/dsp/sine_table.h"
#include "engine/rx/mode_receiver.h"
#include "engine/rx/text_sink.h"

namespace vexa::test {

// Hands `audio` to `rx` block by block, as the sound card delivers it.
inline void receiveInBlocks(engine::ModeReceiver& rx, std::span<const int16_t> audio,
                            bool transmitting = false)
{
    for (std::size_t at = 0; at < audio.size(); at += 2048)
        rx.receive(audio.subspan(at, std::min<std::size_t>(2048, audio.size() - at)), transmitting);
}

struct TextReceiver {
    engine::SineTable table;
    std::string text;  // the main channel's copy
    std::string second;
    engine::TextSink sink{&text};
    engine::TextSink secondSink{&second};
    engine::ModeReceiver rx{table, sink, secondSink};

    // Receives `audio` and returns everything copied so far.
    const std::string& receive(std::span<const int16_t> audio)
    {
        receiveInBlocks(rx, audio);
        return text;
    }
};

}  // namespace vexa::test
