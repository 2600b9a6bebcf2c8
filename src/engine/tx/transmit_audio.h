// The sound-card operations the transmit path and the voice keyer use: swap the input for
// the output and queue output blocks. SoundCardTransmitAudio forwards to a SoundCard;
// tools and tests collect the blocks instead of playing them.
#pragma once

#include <array>

#include "engine/audio/wave_header.h"

namespace vexa::engine {

class TransmitAudio {
public:
    virtual ~TransmitAudio() = default;
    virtual void OpenWaveIn() = 0;
    virtual void CloseWaveIn() = 0;
    virtual void OpenWaveOut() = 0;
    virtual void CloseWaveOut() = 0;
    virtual bool inputOpen() const = 0;
    virtual bool outputOpen() const = 0;
    // Queues a filled block for playing; false: refused (the block will not come back).
    virtual bool writeOutput(WaveHeader& header) = 0;
    virtual std::array<WaveHeader, kOutputBlockCount>& outputHeaders() = 0;
};

// Adapts any sound card with the SoundCard operations (a template so that this header does
// not tie the engine to the audio library); with Card = TransmitAudio, the base of a
// TransmitAudio that wraps another.
template <class Card>
class SoundCardTransmitAudio : public TransmitAudio {
public:
    explicit SoundCardTransmitAudio(Card& card) : m_card(card) {}
    void OpenWaveIn() override { m_card.OpenWaveIn(); }
    void CloseWaveIn() override { m_card.CloseWaveIn(); }
    void OpenWaveOut() override { m_card.OpenWaveOut(); }
    void CloseWaveOut() override { m_card.CloseWaveOut(); }
    bool inputOpen() const override { return m_card.inputOpen(); }
    bool outputOpen() const override { return m_card.outputOpen(); }
    bool writeOutput(WaveHeader& header) override { return m_card.writeOutput(header); }
    std::array<WaveHeader, kOutputBlockCount>& outputHeaders() override { return m_card.outputHeaders(); }

private:
    Card& m_card;
};

}  // namespace vexa::engine
