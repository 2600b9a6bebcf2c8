#include "engine/audio/sound_card.h"

#include <atomic>

namespace vexa::engine {

WaveDevice allocateWaveDevice() noexcept
{
    static std::atomic<WaveDevice> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

namespace {

// A block as it goes to the backend: empty, not prepared.
void setUpBlock(WaveHeader& h, int16_t* data, uint32_t bytes) noexcept
{
    h.data = data;
    h.bufferLength = bytes;
    h.bytesRecorded = 0;
    h.flags = 0;
}

// The close sequence of both directions: stop (input) or pause (output), take every block
// back, unprepare them all and close; a failed step ends it.
template <class Headers>
void closeDevice(WaveBackend& b, WaveDevice d, Headers& headers, bool input)
{
    if (!(input ? b.stopInput(d) : b.pauseOutput(d))) return;
    if (!(input ? b.resetInput(d) : b.resetOutput(d))) return;
    for (WaveHeader& h : headers) (void)(input ? b.unprepareInput(d, h) : b.unprepareOutput(d, h));
    (void)(input ? b.closeInput(d) : b.closeOutput(d));
}

}  // namespace

SoundCard::SoundCard(WaveBackend& backend, WaveBackend::Notify notify)
    : m_backend(backend), m_notify(std::move(notify))
{
}

SoundCard::~SoundCard()
{
    CloseWaveIn();
    CloseWaveOut();
}

// The counts are asked for but not consulted: device 0 (the system default) is always the
// one used. Every step's failure ends the open silently with the flag clear; unlike a bare
// wave API we then release what the failed open had taken, so the device is free for the
// next attempt instead of being held half-open for the rest of the run.
void SoundCard::OpenWaveIn()
{
    if (m_inputOpen) return;
    (void)m_backend.inputDeviceCount();
    if (!m_backend.inputCapabilities()) return;
    const std::optional<WaveDevice> device = m_backend.openInput(m_notify);
    if (!device) return;
    m_inputDevice = *device;
    int prepared = 0;
    bool ok = true;
    for (int i = 0; i < kInputBlockCount && ok; ++i) {
        WaveHeader& h = m_inHeaders[static_cast<size_t>(i)];
        setUpBlock(h, m_inData[static_cast<size_t>(i)].data(), kInputBlockBytes);
        ok = m_backend.prepareInput(m_inputDevice, h);
        if (ok) {
            ++prepared;
            ok = m_backend.addInputBuffer(m_inputDevice, h);
        }
    }
    if (ok && m_backend.startInput(m_inputDevice)) {
        m_inputOpen = true;
        return;
    }
    (void)m_backend.resetInput(m_inputDevice);
    for (int i = 0; i < prepared; ++i)
        (void)m_backend.unprepareInput(m_inputDevice, m_inHeaders[static_cast<size_t>(i)]);
    (void)m_backend.closeInput(m_inputDevice);
}

void SoundCard::CloseWaveIn()
{
    if (!m_inputOpen) return;
    m_inputOpen = false;
    closeDevice(m_backend, m_inputDevice, m_inHeaders, true);
}

void SoundCard::OpenWaveOut()
{
    if (m_outputOpen) return;
    (void)m_backend.outputDeviceCount();
    if (!m_backend.outputCapabilities()) return;
    const std::optional<WaveDevice> device = m_backend.openOutput(m_notify);
    if (!device) return;
    m_outputDevice = *device;
    int prepared = 0;
    for (int i = 0; i < kOutputBlockCount; ++i) {
        WaveHeader& h = m_outHeaders[static_cast<size_t>(i)];
        setUpBlock(h, m_outData[static_cast<size_t>(i)].data(), kOutputBlockBytes);
        if (!m_backend.prepareOutput(m_outputDevice, h)) {
            for (int j = 0; j < prepared; ++j)
                (void)m_backend.unprepareOutput(m_outputDevice, m_outHeaders[static_cast<size_t>(j)]);
            (void)m_backend.closeOutput(m_outputDevice);
            return;
        }
        ++prepared;
    }
    m_outputOpen = true;
}

void SoundCard::CloseWaveOut()
{
    if (!m_outputOpen) return;
    m_outputOpen = false;
    closeDevice(m_backend, m_outputDevice, m_outHeaders, false);
}

bool SoundCard::addInputBuffer(WaveHeader& header)
{
    if (!m_inputOpen) return false;
    return m_backend.addInputBuffer(m_inputDevice, header);
}

bool SoundCard::writeOutput(WaveHeader& header)
{
    if (!m_outputOpen) return false;
    return m_backend.writeOutput(m_outputDevice, header);
}

}  // namespace vexa::engine
