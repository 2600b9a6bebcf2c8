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

// Opens one side and prepares its blocks; an input also queues them and starts recording.
// The counts are asked for but not consulted: device 0 (the system default) is always the
// one used. Every step's failure ends the open silently; unlike a bare wave API we then
// release what the failed open had taken, so the device is free for the next attempt
// instead of being held half-open for the rest of the run.
template <std::size_t N, std::size_t Samples>
bool openSide(WaveBackend& b, WaveSide side, const WaveBackend::Notify& notify, WaveDevice& device,
              std::array<WaveHeader, N>& headers, std::array<std::array<int16_t, Samples>, N>& data)
{
    (void)b.deviceCount(side);
    if (!b.capabilities(side)) return false;
    const std::optional<WaveDevice> opened = b.open(side, notify);
    if (!opened) return false;
    device = *opened;
    const bool input = side == WaveSide::Input;
    std::size_t prepared = 0;
    bool ok = true;
    for (std::size_t i = 0; i < N && ok; ++i) {
        setUpBlock(headers[i], data[i].data(), static_cast<uint32_t>(Samples * 2));
        ok = b.prepare(side, device, headers[i]);
        if (ok) {
            ++prepared;
            if (input) ok = b.queue(side, device, headers[i]);
        }
    }
    if (ok && (!input || b.startInput(device))) return true;
    if (input) (void)b.reset(side, device);
    for (std::size_t i = 0; i < prepared; ++i) (void)b.unprepare(side, device, headers[i]);
    (void)b.close(side, device);
    return false;
}

// The close sequence of both sides: stop (input) or pause (output), take every block
// back, unprepare them all and close; a failed step ends it.
template <class Headers>
void closeSide(WaveBackend& b, WaveSide side, WaveDevice d, Headers& headers)
{
    if (!b.stop(side, d) || !b.reset(side, d)) return;
    for (WaveHeader& h : headers) (void)b.unprepare(side, d, h);
    (void)b.close(side, d);
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

void SoundCard::open(WaveSide side)
{
    bool& isOpen = forSide(side, m_inputOpen, m_outputOpen);
    if (isOpen) return;
    isOpen = side == WaveSide::Input
                 ? openSide(m_backend, side, m_notify, m_inputDevice, m_inHeaders, m_inData)
                 : openSide(m_backend, side, m_notify, m_outputDevice, m_outHeaders, m_outData);
}

void SoundCard::close(WaveSide side)
{
    bool& isOpen = forSide(side, m_inputOpen, m_outputOpen);
    if (!isOpen) return;
    isOpen = false;
    if (side == WaveSide::Input)
        closeSide(m_backend, side, m_inputDevice, m_inHeaders);
    else
        closeSide(m_backend, side, m_outputDevice, m_outHeaders);
}

bool SoundCard::addInputBuffer(WaveHeader& header)
{
    if (!m_inputOpen) return false;
    return m_backend.queue(WaveSide::Input, m_inputDevice, header);
}

bool SoundCard::writeOutput(WaveHeader& header)
{
    if (!m_outputOpen) return false;
    return m_backend.queue(WaveSide::Output, m_outputDevice, header);
}

}  // namespace vexa::engine
