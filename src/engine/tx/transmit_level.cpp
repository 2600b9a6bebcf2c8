#include "engine/tx/transmit_level.h"

#include <algorithm>
#include <cmath>

namespace vexa::engine {

void TransmitLevel::setDb(int db) noexcept
{
    m_db = std::clamp(db, kMinDb, kMaxDb);
    m_gain = static_cast<int32_t>(std::lround(std::pow(10.0, m_db / 20.0) * 65536.0));
}

void TransmitLevel::apply(std::span<int16_t> samples) const noexcept
{
    if (m_gain >= 65536) return;
    for (int16_t& s : samples) s = static_cast<int16_t>((int32_t{s} * m_gain + 32768) >> 16);
}

bool LevelledTransmitAudio::writeOutput(WaveHeader& header)
{
    if (header.data != nullptr) m_level.apply(std::span<int16_t>(header.data, header.bufferLength / 2));
    return SoundCardTransmitAudio<TransmitAudio>::writeOutput(header);
}

}  // namespace vexa::engine
