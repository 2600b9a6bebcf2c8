#include "engine/audio/portaudio_backend.h"

#ifdef VEXA_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif
#ifdef VEXA_HAVE_JACK
#include <jack/jack.h>
#endif

#include <portaudio.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>
#include <thread>

#include "engine/audio/block_queue.h"
#include "engine/audio/sample_convert.h"

namespace vexa::engine {
namespace {

// Probing the host audio systems makes ALSA and JACK print a screenful of messages about
// devices and servers that are simply not there ("Unknown PCM cards.pcm.rear", "jack server
// is not running"). A missing device is not an error for Vexa, so they are silenced unless
// VEXA_AUDIO_DEBUG is set.
#ifdef VEXA_HAVE_ALSA
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
#endif
#ifdef VEXA_HAVE_JACK
void quietJack(const char*) {}
#endif

void silenceHostAudioMessages()
{
    if (std::getenv("VEXA_AUDIO_DEBUG") != nullptr) return;
#ifdef VEXA_HAVE_ALSA
    snd_lib_error_set_handler(quietAlsa);
#endif
#ifdef VEXA_HAVE_JACK
    jack_set_error_function(quietJack);
    jack_set_info_function(quietJack);
#endif
    setenv("JACK_NO_START_SERVER", "1", 0);  // never launch a JACK server just to probe it
}

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// One direction of the card: the queued blocks and the worker, and its PortAudio stream.
struct Direction : BlockQueue {
    PaStream* stream = nullptr;
    bool busy = false;     // the worker is inside a blocking PortAudio call
    bool active = false;   // the PortAudio stream is started
    bool discard = false;  // input: drop samples read before a stop or reset
    int rate = 0;
    int channels = 1;
    soxr_t resampler = nullptr;  // null when the device runs at 11025 Hz
};

}  // namespace

struct PortAudioBackend::Impl {
    PortAudioOptions options;
    bool initialised = false;
    std::mutex mutex;
    std::condition_variable inWake;
    std::condition_variable outWake;
    std::condition_variable idle;
    Direction in;
    Direction out;

    PaDeviceIndex findDevice(bool input) const;
    PaDeviceIndex findDeviceNamed(const std::string& name, bool input) const;
    bool openStream(Direction& d, bool input);
    void closeStream(Direction& d);
    static void stopStream(Direction& d);
    void haltInput(std::unique_lock<std::mutex>& lock);
    void waitIdle(Direction& d, std::unique_lock<std::mutex>& lock)
    {
        idle.wait(lock, [&] { return !d.busy; });
    }
    void inputLoop();
    void outputLoop();
    void flushOutputResampler();
};

PaDeviceIndex PortAudioBackend::Impl::findDevice(bool input) const
{
    return findDeviceNamed(input ? options.inputDevice : options.outputDevice, input);
}

PaDeviceIndex PortAudioBackend::Impl::findDeviceNamed(const std::string& name, bool input) const
{
    if (!initialised) return paNoDevice;
    if (name.empty() || name == kDefaultSoundDevice)
        return input ? Pa_GetDefaultInputDevice() : Pa_GetDefaultOutputDevice();
    const int count = Pa_GetDeviceCount();
    PaDeviceIndex partial = paNoDevice;
    const std::string wanted = lower(name);
    for (PaDeviceIndex i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info == nullptr || (input ? info->maxInputChannels : info->maxOutputChannels) < 1) continue;
        if (name == info->name) return i;
        if (partial == paNoDevice && lower(info->name).find(wanted) != std::string::npos) partial = i;
    }
    return partial;
}

// Mono at 11025 Hz if the device takes it; otherwise its own default rate (or the forced
// one) in float, converted by libsoxr. Some hardware devices only record in stereo: then
// two channels, mixed down (input) or duplicated (output).
bool PortAudioBackend::Impl::openStream(Direction& d, bool input)
{
    const PaDeviceIndex index = findDevice(input);
    if (index == paNoDevice) return false;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    if (info == nullptr) return false;
    const int maxChannels = input ? info->maxInputChannels : info->maxOutputChannels;
    std::vector<double> rates;
    if (options.forcedDeviceRate > 0) {
        rates.push_back(options.forcedDeviceRate);
    } else {
        rates.push_back(WaveFormat::kSampleRate);
        if (info->defaultSampleRate > 0 && info->defaultSampleRate != WaveFormat::kSampleRate)
            rates.push_back(info->defaultSampleRate);
    }
    for (int channels = 1; channels <= std::min(2, maxChannels); ++channels) {
        for (double rate : rates) {
            const bool resample = rate != WaveFormat::kSampleRate;
            PaStreamParameters p{};
            p.device = index;
            p.channelCount = channels;
            p.sampleFormat = resample ? paFloat32 : paInt16;
            p.suggestedLatency = input ? info->defaultHighInputLatency : info->defaultHighOutputLatency;
            if (Pa_IsFormatSupported(input ? &p : nullptr, input ? nullptr : &p, rate) != paFormatIsSupported)
                continue;
            PaStream* stream = nullptr;
            if (Pa_OpenStream(&stream, input ? &p : nullptr, input ? nullptr : &p, rate,
                              paFramesPerBufferUnspecified, paClipOff, nullptr, nullptr) != paNoError)
                continue;
            soxr_t resampler = nullptr;
            if (resample) {
                soxr_error_t error = nullptr;
                const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
                const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
                resampler =
                    input ? soxr_create(rate, WaveFormat::kSampleRate, 1, &error, &io, &quality, nullptr)
                          : soxr_create(WaveFormat::kSampleRate, rate, 1, &error, &io, &quality, nullptr);
                if (error != nullptr) {
                    Pa_CloseStream(stream);
                    return false;
                }
            }
            d.stream = stream;
            d.rate = static_cast<int>(rate);
            d.channels = channels;
            d.resampler = resampler;
            return true;
        }
    }
    return false;
}

void PortAudioBackend::Impl::closeStream(Direction& d)
{
    if (d.stream != nullptr) {
        if (d.active) Pa_AbortStream(d.stream);
        Pa_CloseStream(d.stream);
    }
    if (d.resampler != nullptr) soxr_delete(d.resampler);
    d.stream = nullptr;
    d.resampler = nullptr;
    d.active = false;
    d.rate = 0;
}

// Plays (output) or records (input) what the device has buffered, then stops.
void PortAudioBackend::Impl::stopStream(Direction& d)
{
    if (!d.active) return;
    Pa_StopStream(d.stream);
    d.active = false;
}

// Stops recording and drops what was recorded but not yet delivered: audio from before a
// stop or reset must not open the next recording.
void PortAudioBackend::Impl::haltInput(std::unique_lock<std::mutex>& lock)
{
    in.running = false;
    in.discard = true;
    waitIdle(in, lock);
    if (in.resampler != nullptr) soxr_clear(in.resampler);
    stopStream(in);
}

void PortAudioBackend::Impl::inputLoop()
{
    std::unique_lock lock(mutex);
    const int chunkFrames = std::max(64, in.rate / 20);  // 50 ms per read
    std::vector<int16_t> raw16(static_cast<size_t>(chunkFrames * in.channels));
    std::vector<float> rawFloat(static_cast<size_t>(chunkFrames * in.channels));
    std::vector<float> mono(static_cast<size_t>(chunkFrames));
    std::vector<float> converted(
        static_cast<size_t>(chunkFrames) * WaveFormat::kSampleRate / static_cast<size_t>(in.rate) + 64);
    std::vector<int16_t> got;
    got.reserve(std::max(static_cast<size_t>(chunkFrames), converted.size()));
    std::vector<int16_t> pending;
    pending.reserve(4 * 2048);
    std::vector<WaveHeader*> filled;
    for (;;) {
        inWake.wait(lock, [&] { return in.quit || (in.running && !in.failed); });
        if (in.quit) return;
        in.busy = true;
        PaStream* stream = in.stream;
        soxr_t resampler = in.resampler;
        const int channels = in.channels;
        lock.unlock();

        PaError error = paNoError;
        got.clear();
        if (resampler == nullptr) {
            error = Pa_ReadStream(stream, raw16.data(), static_cast<unsigned long>(chunkFrames));
            for (int i = 0; i < chunkFrames; ++i) {
                int32_t sum = 0;
                for (int c = 0; c < channels; ++c) sum += raw16[static_cast<size_t>(i * channels + c)];
                got.push_back(static_cast<int16_t>(sum / channels));
            }
        } else {
            error = Pa_ReadStream(stream, rawFloat.data(), static_cast<unsigned long>(chunkFrames));
            mixToMono(rawFloat, channels, mono);
            size_t done = 0;
            soxr_process(resampler, mono.data(), mono.size(), nullptr, converted.data(), converted.size(),
                         &done);
            for (size_t i = 0; i < done; ++i) got.push_back(floatToSample(converted[i]));
        }

        lock.lock();
        in.busy = false;
        idle.notify_all();
        if (error != paNoError && error != paInputOverflowed) {
            in.failed = true;  // e.g. unplugged: queued blocks wait for the reset
            continue;
        }
        if (in.discard) {
            pending.clear();
            in.discard = false;
        }
        if (!in.running) continue;
        pending.insert(pending.end(), got.begin(), got.end());
        while (!in.queue.empty() && pending.size() >= in.queue.front()->bufferLength / 2) {
            WaveHeader* h = in.queue.front();
            in.queue.pop_front();
            const size_t n = h->bufferLength / 2;
            std::memcpy(h->data, pending.data(), n * sizeof(int16_t));
            pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(n));
            h->bytesRecorded = static_cast<uint32_t>(n * 2);
            markReturned(*h);
            filled.push_back(h);
        }
        // No block queued: a card drops what it cannot store; keep at most four blocks.
        if (pending.size() > 4 * 2048) pending.erase(pending.begin(), pending.end() - 4 * 2048);
        if (filled.empty()) continue;
        const WaveBackend::Notify notify = in.notify;
        const WaveDevice device = in.device;
        lock.unlock();
        notifyEach(notify, WaveMessage::InputData, device, filled);
        filled.clear();
        lock.lock();
    }
}

void PortAudioBackend::Impl::outputLoop()
{
    std::unique_lock lock(mutex);
    std::vector<int16_t> samples16;
    std::vector<float> monoFloat;
    std::vector<float> converted;
    std::vector<float> frames;
    for (;;) {
        outWake.wait(lock, [&] { return out.quit || (out.running && !out.failed && !out.queue.empty()); });
        if (out.quit) return;
        WaveHeader* h = out.queue.front();
        const uint64_t resets = out.resets;
        const size_t n = h->bufferLength / 2;
        out.busy = true;
        PaStream* stream = out.stream;
        soxr_t resampler = out.resampler;
        const int channels = out.channels;
        // The block stays queued (and owned by the card) while it is copied out here.
        PaError error = paNoError;
        if (resampler == nullptr) {
            spreadToChannels(std::span<const int16_t>(h->data, n), channels, samples16);
        } else {
            monoFloat.resize(n);
            for (size_t i = 0; i < n; ++i) monoFloat[i] = static_cast<float>(h->data[i]) / 32768.0F;
        }
        lock.unlock();

        if (!out.active) {
            error = Pa_StartStream(stream);
            out.active = error == paNoError;
        }
        if (error == paNoError) {
            if (resampler == nullptr) {
                error = Pa_WriteStream(stream, samples16.data(), static_cast<unsigned long>(n));
            } else {
                converted.resize(n * static_cast<size_t>(out.rate) / WaveFormat::kSampleRate + 64);
                size_t done = 0;
                soxr_process(resampler, monoFloat.data(), n, nullptr, converted.data(), converted.size(),
                             &done);
                spreadToChannels(std::span<const float>(converted.data(), done), channels, frames);
                if (done > 0) error = Pa_WriteStream(stream, frames.data(), static_cast<unsigned long>(done));
            }
        }

        lock.lock();
        out.busy = false;
        idle.notify_all();
        if (error != paNoError && error != paOutputUnderflowed) {
            // Unplugged or the sound server gone: the blocks would never come back, and a
            // transmission waiting for them would keep the transmitter keyed.
            const std::vector<WaveHeader*> returned = out.fail();
            const WaveBackend::Notify notify = out.notify;
            const WaveDevice device = out.device;
            lock.unlock();
            notifyEach(notify, WaveMessage::OutputDone, device, returned);
            lock.lock();
            continue;
        }
        if (out.resets != resets || out.queue.empty() || out.queue.front() != h)
            continue;  // a reset has already returned the block
        out.queue.pop_front();
        markReturned(*h);
        out.deliver(WaveMessage::OutputDone, h, lock);
    }
}

// The resampler holds back a few milliseconds; play them before the stream stops.
void PortAudioBackend::Impl::flushOutputResampler()
{
    if (out.resampler == nullptr || !out.active) return;
    std::vector<float> tail(4096);
    size_t done = 0;
    soxr_process(out.resampler, nullptr, 0, nullptr, tail.data(), tail.size(), &done);
    if (done > 0) {
        std::vector<float> frames;
        spreadToChannels(std::span<const float>(tail.data(), done), out.channels, frames);
        Pa_WriteStream(out.stream, frames.data(), static_cast<unsigned long>(done));
    }
    soxr_clear(out.resampler);
}

PortAudioBackend::PortAudioBackend(PortAudioOptions options) : m_portAudio(std::make_unique<Impl>())
{
    m_portAudio->options = std::move(options);
    silenceHostAudioMessages();
    m_portAudio->initialised = Pa_Initialize() == paNoError;
}

PortAudioBackend::~PortAudioBackend()
{
    {
        std::unique_lock lock(m_portAudio->mutex);
        m_portAudio->in.stopWorker(m_portAudio->inWake, lock);
        m_portAudio->out.stopWorker(m_portAudio->outWake, lock);
        m_portAudio->closeStream(m_portAudio->in);
        m_portAudio->closeStream(m_portAudio->out);
    }
    if (m_portAudio->initialised) Pa_Terminate();
}

// "default" first, then every device PortAudio offers in that direction (ALSA lists its own
// "default" too: it is the same device, so it is not listed twice).
static std::vector<std::string> deviceNames(bool initialised, bool input)
{
    std::vector<std::string> names{kDefaultSoundDevice};
    if (!initialised) return names;
    const int count = Pa_GetDeviceCount();
    for (PaDeviceIndex i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info != nullptr && (input ? info->maxInputChannels : info->maxOutputChannels) > 0 &&
            std::string_view(info->name) != kDefaultSoundDevice)
            names.emplace_back(info->name);
    }
    return names;
}

std::vector<std::string> PortAudioBackend::inputDeviceNames() const
{
    return deviceNames(m_portAudio->initialised, true);
}
std::vector<std::string> PortAudioBackend::outputDeviceNames() const
{
    return deviceNames(m_portAudio->initialised, false);
}

bool PortAudioBackend::hasInputDevice(const std::string& name) const
{
    return m_portAudio->findDeviceNamed(name, true) != paNoDevice;
}

bool PortAudioBackend::hasOutputDevice(const std::string& name) const
{
    return m_portAudio->findDeviceNamed(name, false) != paNoDevice;
}

void PortAudioBackend::selectDevices(const std::string& input, const std::string& output)
{
    std::lock_guard lock(m_portAudio->mutex);
    m_portAudio->options.inputDevice = input;
    m_portAudio->options.outputDevice = output;
}

int PortAudioBackend::inputDeviceRate() const
{
    std::lock_guard lock(m_portAudio->mutex);
    return m_portAudio->in.rate;
}

int PortAudioBackend::outputDeviceRate() const
{
    std::lock_guard lock(m_portAudio->mutex);
    return m_portAudio->out.rate;
}

int PortAudioBackend::deviceCount(WaveSide side)
{
    // "default" is one of the names.
    return static_cast<int>((side == WaveSide::Input ? inputDeviceNames() : outputDeviceNames()).size()) - 1;
}

bool PortAudioBackend::capabilities(WaveSide side)
{
    std::lock_guard lock(m_portAudio->mutex);
    return m_portAudio->findDevice(side == WaveSide::Input) != paNoDevice;
}

std::optional<WaveDevice> PortAudioBackend::open(WaveSide side, Notify notify)
{
    Impl& pa = *m_portAudio;
    const bool input = side == WaveSide::Input;
    std::unique_lock lock(pa.mutex);
    Direction& d = forSide(side, pa.in, pa.out);
    if (d.device != 0) return std::nullopt;
    d.stopWorker(forSide(side, pa.inWake, pa.outWake), lock);
    d = Direction{};
    if (!pa.openStream(d, input)) return std::nullopt;
    d.device = allocateWaveDevice();
    d.notify = std::move(notify);
    if (!input) d.running = true;  // output plays as soon as a block is queued
    d.worker = std::thread([&pa, input] { input ? pa.inputLoop() : pa.outputLoop(); });
    return d.device;
}

bool PortAudioBackend::prepare(WaveSide side, WaveDevice d, WaveHeader& h)
{
    std::lock_guard lock(m_portAudio->mutex);
    return (side == WaveSide::Output || h.bufferLength >= 2) &&
           forSide(side, m_portAudio->in, m_portAudio->out).prepare(d, h);
}

bool PortAudioBackend::queue(WaveSide side, WaveDevice d, WaveHeader& h)
{
    std::lock_guard lock(m_portAudio->mutex);
    if (!forSide(side, m_portAudio->in, m_portAudio->out).enqueue(d, h)) return false;
    if (side == WaveSide::Input)
        h.bytesRecorded = 0;  // the reader picks the block up on its next read
    else
        m_portAudio->outWake.notify_all();
    return true;
}

bool PortAudioBackend::startInput(WaveDevice d)
{
    Impl& pa = *m_portAudio;
    std::lock_guard lock(pa.mutex);
    if (!pa.in.owns(d)) return false;
    if (!pa.in.active) {
        if (Pa_StartStream(pa.in.stream) != paNoError) return false;
        pa.in.active = true;
    }
    pa.in.running = true;
    pa.inWake.notify_all();
    return true;
}

bool PortAudioBackend::stop(WaveSide side, WaveDevice d)
{
    Impl& pa = *m_portAudio;
    std::unique_lock lock(pa.mutex);
    if (!forSide(side, pa.in, pa.out).owns(d)) return false;
    if (side == WaveSide::Input) {
        pa.haltInput(lock);
    } else {
        // A pause lets the block being written finish and plays what the resampler holds.
        pa.out.running = false;
        pa.waitIdle(pa.out, lock);
        pa.flushOutputResampler();
        Impl::stopStream(pa.out);
    }
    return true;
}

bool PortAudioBackend::reset(WaveSide side, WaveDevice d)
{
    Impl& pa = *m_portAudio;
    std::vector<WaveHeader*> returned;
    Notify notify;
    {
        std::unique_lock lock(pa.mutex);
        Direction& dir = forSide(side, pa.in, pa.out);
        if (!dir.owns(d)) return false;
        if (side == WaveSide::Input) {
            pa.haltInput(lock);
            returned = dir.takeAll();
            for (WaveHeader* h : returned) h->bytesRecorded = 0;
        } else {
            // Whatever is still playing is cut off.
            dir.running = false;
            pa.waitIdle(dir, lock);
            if (dir.active) {
                Pa_AbortStream(dir.stream);
                dir.active = false;
            }
            if (dir.resampler != nullptr) soxr_clear(dir.resampler);
            returned = dir.takeAll();
            ++dir.resets;
            dir.running = true;
        }
        notify = dir.notify;
    }
    notifyEach(notify, side == WaveSide::Input ? WaveMessage::InputData : WaveMessage::OutputDone, d,
               returned);
    return true;
}

bool PortAudioBackend::unprepare(WaveSide side, WaveDevice d, WaveHeader& h)
{
    std::lock_guard lock(m_portAudio->mutex);
    return forSide(side, m_portAudio->in, m_portAudio->out).unprepare(d, h);
}

bool PortAudioBackend::close(WaveSide side, WaveDevice d)
{
    Impl& pa = *m_portAudio;
    std::unique_lock lock(pa.mutex);
    Direction& dir = forSide(side, pa.in, pa.out);
    if (!dir.owns(d) || !dir.queue.empty()) return false;
    dir.running = false;
    dir.stopWorker(forSide(side, pa.inWake, pa.outWake), lock);
    if (side == WaveSide::Output) Impl::stopStream(dir);
    pa.closeStream(dir);
    dir.device = 0;
    dir.notify = nullptr;
    return true;
}

}  // namespace vexa::engine
