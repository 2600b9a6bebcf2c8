// One audio block in circulation between the sound card and the engine, and the
// notifications that carry filled input blocks and played output blocks to the GUI thread.
#pragma once

#include <cstdint>

namespace vexa::engine {

// PCM, 1 channel, 11025 samples/s, 16-bit signed: the one format of input and output.
struct WaveFormat {
    static constexpr int kSampleRate = 11025;
};

inline constexpr int kInputBlockCount = 4;
inline constexpr int kInputBlockBytes = 4096;  // 2048 samples, about 186 ms
inline constexpr int kOutputBlockCount = 4;
inline constexpr int kOutputBlockBytes = 8192;  // 4096 samples, about 372 ms

struct WaveHeader {
    static constexpr uint32_t kPrepared = 0x02;
    static constexpr uint32_t kInQueue = 0x10;
    static constexpr uint32_t kDone = 0x01;

    int16_t* data = nullptr;
    uint32_t bufferLength = 0;   // bytes
    uint32_t bytesRecorded = 0;  // bytes (input: filled; output: unused)
    uint32_t flags = 0;
};

// A device handle as the backends hand them out; 0 is never a valid handle.
using WaveDevice = uintptr_t;

enum class WaveMessage {
    OutputDone,  // an output block has been played
    InputData,   // an input block has been filled (or returned by a reset)
};

struct WaveEvent {
    WaveMessage message;
    WaveDevice device;
    WaveHeader* header;
};

}  // namespace vexa::engine
