#include "engine/audio/wave_file_backend.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

#include "engine/audio/audio_file.h"

namespace vexa::engine {

struct WaveFileBackend::OutputFile {
    SNDFILE* file = nullptr;
    std::string error;
    ~OutputFile()
    {
        if (file != nullptr) sf_close(file);
    }
};

namespace {

std::chrono::steady_clock::duration samplesToDuration(size_t samples)
{
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(static_cast<double>(samples) / WaveFormat::kSampleRate));
}

}  // namespace

WaveFileBackend::WaveFileBackend(WaveFileOptions options)
    : m_options(std::move(options)), m_outputFile(std::make_unique<OutputFile>())
{
    if (m_options.inputPath.empty()) return;
    AudioReadResult r = readAudioFile(m_options.inputPath);
    if (!r.ok()) {
        m_inputError = r.message;
        return;
    }
    m_input = std::move(r.samples);
    m_hasInput = true;
}

WaveFileBackend::WaveFileBackend(std::vector<int16_t> inputSamples, WaveFileOptions options)
    : m_options(std::move(options)),
      m_input(std::move(inputSamples)),
      m_hasInput(true),
      m_outputFile(std::make_unique<OutputFile>())
{
}

WaveFileBackend::~WaveFileBackend()
{
    std::unique_lock lock(m_mutex);
    m_in.stopWorker(m_inWake, lock);
    m_out.stopWorker(m_outWake, lock);
}

std::string WaveFileBackend::outputError() const
{
    std::lock_guard lock(m_mutex);
    return m_outputFile->error;
}

bool WaveFileBackend::inputFinished() const
{
    std::lock_guard lock(m_mutex);
    return m_inputFinished;
}

size_t WaveFileBackend::samplesPlayed() const
{
    std::lock_guard lock(m_mutex);
    return m_played;
}

int WaveFileBackend::deviceCount(WaveSide side)
{
    return capabilities(side) ? 1 : 0;
}

bool WaveFileBackend::capabilities(WaveSide side)
{
    return side == WaveSide::Output || m_hasInput;
}

bool WaveFileBackend::openOutputFile()
{
    if (m_options.outputPath.empty() || m_outputFile->file != nullptr) return true;
    // One file for the backend's life: every transmission is appended to it.
    SF_INFO info{};
    info.samplerate = WaveFormat::kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    m_outputFile->file = sf_open(m_options.outputPath.c_str(), SFM_WRITE, &info);
    if (m_outputFile->file == nullptr) {
        m_outputFile->error = m_options.outputPath + ": " + sf_strerror(nullptr);
        return false;
    }
    // Keep the header right after every block, so the file is valid while still open.
    sf_command(m_outputFile->file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    return true;
}

std::optional<WaveDevice> WaveFileBackend::open(WaveSide side, Notify notify)
{
    const bool input = side == WaveSide::Input;
    std::unique_lock lock(m_mutex);
    Direction& d = forSide(side, m_in, m_out);
    if (d.device != 0) return std::nullopt;  // already open (busy)
    if (input ? !m_hasInput : !openOutputFile()) return std::nullopt;
    d.stopWorker(forSide(side, m_inWake, m_outWake),
                 lock);  // a worker detached by a close from its own thread
    d = Direction{};
    d.device = allocateWaveDevice();
    d.notify = std::move(notify);
    if (!input) {
        d.running = true;  // output plays as soon as a block is queued
        d.base = Clock::now();
    }
    d.worker = std::thread([this, input] { input ? inputLoop() : outputLoop(); });
    return d.device;
}

bool WaveFileBackend::prepare(WaveSide side, WaveDevice d, WaveHeader& h)
{
    std::lock_guard lock(m_mutex);
    return (side == WaveSide::Output || h.bufferLength >= 2) && forSide(side, m_in, m_out).prepare(d, h);
}

bool WaveFileBackend::queue(WaveSide side, WaveDevice d, WaveHeader& h)
{
    std::lock_guard lock(m_mutex);
    if (!forSide(side, m_in, m_out).enqueue(d, h)) return false;
    if (side == WaveSide::Input) h.bytesRecorded = 0;
    forSide(side, m_inWake, m_outWake).notify_all();
    return true;
}

bool WaveFileBackend::startInput(WaveDevice d)
{
    std::lock_guard lock(m_mutex);
    if (!m_in.owns(d)) return false;
    if (!m_in.running) {
        m_in.running = true;
        m_in.base = Clock::now();
        m_in.basePosition = m_inputDelivered;
    }
    m_inWake.notify_all();
    return true;
}

bool WaveFileBackend::stop(WaveSide side, WaveDevice d)
{
    std::lock_guard lock(m_mutex);
    Direction& dir = forSide(side, m_in, m_out);
    if (!dir.owns(d)) return false;
    dir.running = false;
    return true;
}

bool WaveFileBackend::reset(WaveSide side, WaveDevice d)
{
    std::vector<WaveHeader*> returned;
    Notify notify;
    {
        std::lock_guard lock(m_mutex);
        Direction& dir = forSide(side, m_in, m_out);
        if (!dir.owns(d)) return false;
        returned = dir.takeAll();
        if (side == WaveSide::Input) {
            m_in.running = false;
            for (WaveHeader* h : returned) h->bytesRecorded = 0;
        } else {
            m_out.running = true;  // a reset also ends a pause
            m_out.base = Clock::now();
            ++m_out.resets;
            m_outWake.notify_all();
        }
        notify = dir.notify;
    }
    notifyEach(notify, side == WaveSide::Input ? WaveMessage::InputData : WaveMessage::OutputDone, d,
               returned);
    return true;
}

bool WaveFileBackend::unprepare(WaveSide side, WaveDevice d, WaveHeader& h)
{
    std::lock_guard lock(m_mutex);
    return forSide(side, m_in, m_out).unprepare(d, h);
}

bool WaveFileBackend::close(WaveSide side, WaveDevice d)
{
    std::unique_lock lock(m_mutex);
    Direction& dir = forSide(side, m_in, m_out);
    if (!dir.owns(d) || !dir.queue.empty()) return false;  // blocks still queued: reset first
    dir.stopWorker(forSide(side, m_inWake, m_outWake), lock);
    dir.device = 0;
    dir.notify = nullptr;
    return true;
}

void WaveFileBackend::inputLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_in.quit) return;
        if (!m_in.running || m_in.queue.empty() || m_inputFinished) {
            m_inWake.wait(lock);
            continue;
        }
        WaveHeader* h = m_in.queue.front();
        const size_t want = h->bufferLength / 2;
        if (m_options.pacedInput) {
            // A real card hands a block back once its last sample has been recorded.
            const auto due = m_in.base + samplesToDuration(m_inputDelivered + want - m_in.basePosition);
            if (Clock::now() < due) {
                m_inWake.wait_until(lock, due);
                continue;
            }
        }
        m_in.queue.pop_front();
        size_t filled = 0;
        if (m_options.loopInput) {
            if (m_input.empty()) {
                std::fill_n(h->data, want, int16_t{0});
            } else {
                while (filled < want) {
                    if (m_inputPosition >= m_input.size()) m_inputPosition = 0;
                    const size_t n = std::min(want - filled, m_input.size() - m_inputPosition);
                    std::memcpy(h->data + filled, m_input.data() + m_inputPosition, n * sizeof(int16_t));
                    filled += n;
                    m_inputPosition += n;
                }
            }
            filled = want;
        } else {
            filled = std::min(want, m_input.size() - std::min(m_inputPosition, m_input.size()));
            std::memcpy(h->data, m_input.data() + m_inputPosition, filled * sizeof(int16_t));
            m_inputPosition += filled;
            if (filled < want) m_inputFinished = true;  // this short (maybe empty) block is the last
        }
        m_inputDelivered += want;
        h->bytesRecorded = static_cast<uint32_t>(filled * 2);
        markReturned(*h);
        m_in.deliver(WaveMessage::InputData, h, lock);
    }
}

void WaveFileBackend::outputLoop()
{
    // m_out.base is when the audio played so far ends; a block plays from then, or from
    // when it arrives if the queue had run dry, and is returned when its last sample is out.
    std::unique_lock lock(m_mutex);
    const WaveHeader* pending = nullptr;
    uint64_t pendingResets = 0;
    Clock::time_point due{};
    for (;;) {
        if (m_out.quit) return;
        if (!m_out.running || m_out.queue.empty() || m_out.failed) {
            pending = nullptr;
            m_outWake.wait(lock);
            continue;
        }
        WaveHeader* h = m_out.queue.front();
        const size_t samples = h->bufferLength / 2;
        if (m_options.pacedOutput) {
            if (h != pending || pendingResets != m_out.resets) {
                pending = h;
                pendingResets = m_out.resets;
                due = std::max(m_out.base, Clock::now()) + samplesToDuration(samples);
            }
            if (Clock::now() < due) {
                m_outWake.wait_until(lock, due);
                continue;
            }
            m_out.base = due;
        }
        pending = nullptr;
        if (m_outputFile->file != nullptr) {
            const auto n = static_cast<sf_count_t>(samples);
            if (sf_writef_short(m_outputFile->file, h->data, n) != n) {
                // A full disk is a dead device: every block comes back and no more are taken.
                if (m_outputFile->error.empty())
                    m_outputFile->error = m_options.outputPath + ": " + sf_strerror(m_outputFile->file);
                const std::vector<WaveHeader*> returned = m_out.fail();
                const Notify notify = m_out.notify;
                const WaveDevice device = m_out.device;
                lock.unlock();
                notifyEach(notify, WaveMessage::OutputDone, device, returned);
                lock.lock();
                continue;
            }
        }
        m_out.queue.pop_front();
        m_played += samples;
        markReturned(*h);
        m_out.deliver(WaveMessage::OutputDone, h, lock);
    }
}

}  // namespace vexa::engine
