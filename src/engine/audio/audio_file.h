// Reading and writing audio files in the engine's one format: 11025 samples/s, mono, 16-bit.
// Any file libsndfile opens is accepted on reading; several channels are mixed down and
// other sample rates are resampled (libsoxr). Writing always produces a 16-bit mono WAV.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vexa::engine {

enum class AudioFileError {
    None,
    CannotOpen,      // the file does not exist or cannot be read
    NotAudio,        // the file exists but is not an audio format libsndfile knows
    ReadFailed,      // the audio data ended early or could not be decoded
    ResampleFailed,  // the rate conversion failed
    WriteFailed,     // the output file could not be created or written completely
};

struct AudioReadResult {
    std::vector<int16_t> samples;  // 11025 samples/s, mono
    AudioFileError error = AudioFileError::None;
    std::string message;  // for the user, names the file; empty when ok
    int sourceRate = 0;   // sample rate of the file as found
    int sourceChannels = 0;

    bool ok() const noexcept { return error == AudioFileError::None; }
};

struct AudioWriteResult {
    AudioFileError error = AudioFileError::None;
    std::string message;

    bool ok() const noexcept { return error == AudioFileError::None; }
};

// Reads a whole file; the path "-" reads standard input.
AudioReadResult readAudioFile(const std::string& path);

// Reads an audio file held in memory (a whole WAV, FLAC, ... image).
AudioReadResult readAudioMemory(std::span<const unsigned char> bytes, const std::string& name);

// Writes a 11025 Hz mono 16-bit WAV; the path "-" writes to standard output.
AudioWriteResult writeWaveFile(const std::string& path, std::span<const int16_t> samples);

// Converts interleaved float frames (full scale +-1.0) at fromRate into 11025 Hz mono
// 16-bit samples: channels are averaged, values beyond full scale are clipped.
bool convertToEngineFormat(std::span<const float> interleaved, int channels, int fromRate,
                           std::vector<int16_t>& out);

}  // namespace vexa::engine
