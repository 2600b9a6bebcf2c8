#include "engine/audio/audio_file.h"

#include <sndfile.h>
#include <soxr.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/audio/sample_convert.h"
#include "engine/audio/wave_header.h"

namespace vexa::engine {
namespace {

// libsndfile's virtual I/O over a byte buffer: read from a fixed image, or grow a vector.
struct MemoryFile {
    std::vector<unsigned char> bytes;
    sf_count_t position = 0;
};

sf_count_t memLength(void* user)
{
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t memSeek(sf_count_t offset, int whence, void* user)
{
    auto* f = static_cast<MemoryFile*>(user);
    sf_count_t base = whence == SEEK_SET   ? 0
                      : whence == SEEK_CUR ? f->position
                                           : static_cast<sf_count_t>(f->bytes.size());
    const sf_count_t target = base + offset;
    if (target < 0) return -1;
    f->position = target;
    return f->position;
}

sf_count_t memRead(void* ptr, sf_count_t count, void* user)
{
    auto* f = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(f->bytes.size());
    if (f->position >= size) return 0;
    const sf_count_t n = std::min(count, size - f->position);
    std::memcpy(ptr, f->bytes.data() + f->position, static_cast<size_t>(n));
    f->position += n;
    return n;
}

sf_count_t memWrite(const void* ptr, sf_count_t count, void* user)
{
    auto* f = static_cast<MemoryFile*>(user);
    const auto end = static_cast<size_t>(f->position + count);
    if (f->bytes.size() < end) f->bytes.resize(end);
    std::memcpy(f->bytes.data() + f->position, ptr, static_cast<size_t>(count));
    f->position += count;
    return count;
}

sf_count_t memTell(void* user)
{
    return static_cast<MemoryFile*>(user)->position;
}

SF_VIRTUAL_IO memoryIo()
{
    return SF_VIRTUAL_IO{memLength, memSeek, memRead, memWrite, memTell};
}

AudioReadResult readOpened(SNDFILE* file, const SF_INFO& info, const std::string& name)
{
    AudioReadResult result;
    result.sourceRate = info.samplerate;
    result.sourceChannels = info.channels;
    if (info.channels < 1 || info.samplerate < 1) {
        result.error = AudioFileError::NotAudio;
        result.message = name + ": not an audio file (no channels or no sample rate)";
        return result;
    }
    std::vector<float> interleaved;
    std::vector<float> chunk(static_cast<size_t>(8192 * info.channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file, chunk.data(), 8192);
        if (got <= 0) break;
        interleaved.insert(interleaved.end(), chunk.begin(), chunk.begin() + got * info.channels);
    }
    if (sf_error(file) != SF_ERR_NO_ERROR) {
        result.error = AudioFileError::ReadFailed;
        result.message = name + ": " + sf_strerror(file);
        return result;
    }
    if (!convertToEngineFormat(interleaved, info.channels, info.samplerate, result.samples)) {
        result.error = AudioFileError::ResampleFailed;
        result.message = name + ": cannot convert from " + std::to_string(info.samplerate) + " Hz";
        result.samples.clear();
    }
    return result;
}

// Reads a file libsndfile has opened (nullptr: it could not) and closes it.
AudioReadResult readAndClose(SNDFILE* file, const SF_INFO& info, const std::string& name)
{
    if (file == nullptr) {
        AudioReadResult result;
        result.error = AudioFileError::NotAudio;
        result.message = name + ": not an audio file (" + sf_strerror(nullptr) + ")";
        return result;
    }
    AudioReadResult result = readOpened(file, info, name);
    sf_close(file);
    return result;
}

}  // namespace

bool convertToEngineFormat(std::span<const float> interleaved, int channels, int fromRate,
                           std::vector<int16_t>& out)
{
    if (channels < 1 || fromRate < 1) return false;
    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    std::vector<float> mono(frames);
    mixToMono(interleaved, channels, mono);
    out.clear();
    if (fromRate == WaveFormat::kSampleRate) {
        out.reserve(frames);
        for (float v : mono) out.push_back(floatToSample(v));
        return true;
    }
    if (frames == 0) return true;
    const double ratio = static_cast<double>(WaveFormat::kSampleRate) / fromRate;
    std::vector<float> resampled(static_cast<size_t>(std::ceil(static_cast<double>(frames) * ratio)) + 16);
    size_t done = 0;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_error_t error =
        soxr_oneshot(fromRate, WaveFormat::kSampleRate, 1, mono.data(), frames, nullptr, resampled.data(),
                     resampled.size(), &done, &io, &quality, nullptr);
    if (error != nullptr) return false;
    out.reserve(done);
    for (size_t i = 0; i < done; ++i) out.push_back(floatToSample(resampled[i]));
    return true;
}

AudioReadResult readAudioMemory(std::span<const unsigned char> bytes, const std::string& name)
{
    MemoryFile image;
    image.bytes.assign(bytes.begin(), bytes.end());
    SF_VIRTUAL_IO io = memoryIo();
    SF_INFO info{};
    return readAndClose(sf_open_virtual(&io, SFM_READ, &info, &image), info, name);
}

AudioReadResult readAudioFile(const std::string& path)
{
    if (path == "-") {
        std::vector<unsigned char> bytes;
        unsigned char buffer[65536];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        return readAudioMemory(bytes, "standard input");
    }
    // Tell a missing or unreadable file apart from one that is not audio.
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe == nullptr) {
        AudioReadResult result;
        result.error = AudioFileError::CannotOpen;
        result.message = path + ": " + std::strerror(errno);
        return result;
    }
    std::fclose(probe);
    SF_INFO info{};
    return readAndClose(sf_open(path.c_str(), SFM_READ, &info), info, path);
}

AudioWriteResult writeWaveFile(const std::string& path, std::span<const int16_t> samples)
{
    AudioWriteResult result;
    SF_INFO info{};
    info.samplerate = WaveFormat::kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const auto count = static_cast<sf_count_t>(samples.size());

    if (path == "-") {
        // Standard output may be a pipe: build the complete file first so the header is right.
        MemoryFile image;
        SF_VIRTUAL_IO io = memoryIo();
        SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &image);
        if (file == nullptr || sf_writef_short(file, samples.data(), count) != count) {
            if (file != nullptr) sf_close(file);
            result.error = AudioFileError::WriteFailed;
            result.message = "standard output: cannot encode the audio";
            return result;
        }
        sf_close(file);
        if (std::fwrite(image.bytes.data(), 1, image.bytes.size(), stdout) != image.bytes.size() ||
            std::fflush(stdout) != 0) {
            result.error = AudioFileError::WriteFailed;
            result.message = std::string("standard output: ") + std::strerror(errno);
        }
        return result;
    }

    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        result.error = AudioFileError::WriteFailed;
        result.message = path + ": " + sf_strerror(nullptr);
        return result;
    }
    const sf_count_t written = sf_writef_short(file, samples.data(), count);
    std::string error = written == count ? "" : sf_strerror(file);
    if (sf_close(file) != 0 && error.empty()) error = "cannot complete the file";
    if (!error.empty()) {
        result.error = AudioFileError::WriteFailed;
        result.message = path + ": " + error;
    }
    return result;
}

}  // namespace vexa::engine
