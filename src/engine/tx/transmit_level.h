// The transmit level: how far below full scale the sound card is driven. Every block the
// transmit path or the voice keyer hands to the card passes through LevelledTransmitAudio,
// so a level set once reaches PSK, RTTY, the CW identification and voice messages alike and
// the operator need not touch the system mixer to keep the transmitter's ALC quiet.
#pragma once

#include <cstdint>
#include <span>

#include "engine/tx/transmit_audio.h"

namespace vexa::engine {

class TransmitLevel {
public:
    static constexpr int kMinDb = -40;
    static constexpr int kMaxDb = 0;  // full scale: the samples go out untouched

    // Clamped to kMinDb..kMaxDb.
    void setDb(int db) noexcept;
    int db() const noexcept { return m_db; }
    // Scales the samples in place (a 16-bit fixed-point gain, rounded).
    void apply(std::span<int16_t> samples) const noexcept;

private:
    int m_db = 0;
    int32_t m_gain = 65536;  // 10^(db/20) in units of 1/65536
};

// A TransmitAudio that scales each block by the level on its way to the card underneath.
class LevelledTransmitAudio final : public SoundCardTransmitAudio<TransmitAudio> {
public:
    LevelledTransmitAudio(TransmitAudio& card, const TransmitLevel& level)
        : SoundCardTransmitAudio<TransmitAudio>(card), m_level(level)
    {
    }
    bool writeOutput(WaveHeader& header) override;

private:
    const TransmitLevel& m_level;
};

}  // namespace vexa::engine
