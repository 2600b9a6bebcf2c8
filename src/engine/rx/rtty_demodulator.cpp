// RTTY discriminator, slicer and bit timing at the 750 Hz decimated rate.
#include "engine/rx/rtty_demodulator.h"

#include <algorithm>

namespace vexa::engine {
namespace {

// The bit-timing accumulator grows by one bit period (65536) per bit while the line is
// steady. Left alone it would overflow after about 12 minutes of steady tone or silence
// at 45.45 Bd; held here, a steady stretch still delivers 1024 bits, far more than the
// decoder needs to settle (seven equal bits put it in the same state as any longer run).
constexpr int32_t kMaxBitTiming = 1024 * 65536;

constexpr int kFlushSamples = 1200;  // a little over 0.1 s at 11025 samples/s

}  // namespace

RttyDemodulator::RttyDemodulator(const SineTable& table) noexcept
    : PskDemodulator(table, kRttyDemodulatorConfig)
{
    setSymbolRate(kRttyDemodulatorConfig.symbolRateBd);
}

void RttyDemodulator::setSymbolRate(double bd) noexcept
{
    PskDemodulator::setSymbolRate(bd);
    // The slicer sums the discriminator over one bit. A fixed 16-sample sum spans 2.1 bits
    // at 100 Bd: a single space bit between marks then only brings the sum from +3200 to
    // about +200 and is never seen (measured: 100 Bd text came out as noise). At 45.45 Bd
    // a bit is 16.5 samples and the window stays 16.
    const double samplesPerBit = bd > 0.0 ? m_decimatedRateHz / bd : kRingSize;
    m_windowLength = std::clamp(static_cast<int>(samplesPerBit), 1, kRingSize);
    m_ring.fill(0);
    m_discriminatorSum = 0;
    m_ringIndex = 0;
}

void RttyDemodulator::decimatedStep() noexcept
{
    int32_t si = 0;
    int32_t sq = 0;
    decimatedFront(si, sq);

    // The phase step since the last decimated sample is the offset of the tone from the
    // receive frequency. At the tone offsets of 85 Hz and 750 samples/s the step is about
    // 0.7 rad, so 256 x tan gives about 220 and the clamp at 200 makes each sample vote
    // with nearly full weight for its side.
    detectorStep(phaseStep(si, sq, 256));
}

void RttyDemodulator::detectorStep(int32_t discriminator) noexcept
{
    const auto slot = static_cast<std::size_t>(m_ringIndex);
    const int32_t v = std::clamp(discriminator, -kDiscriminatorClamp, kDiscriminatorClamp);
    m_discriminatorSum += v - m_ring[slot];
    m_ring[slot] = v;
    if (++m_ringIndex >= m_windowLength) m_ringIndex = 0;

    const int state = m_detector == 1 ? (m_discriminatorSum > -kHysteresis ? 1 : 0)
                                      : (m_discriminatorSum > kHysteresis ? 1 : 0);

    m_bitTiming = std::min(m_bitTiming + int32_t{m_symbolIncrement}, kMaxBitTiming);
    if (state == m_detector) return;
    deliverBits();
    m_detector = state;
}

void RttyDemodulator::deliverBits() noexcept
{
    // The state that just ended lasted this many bit periods, rounded. A glitch shorter
    // than half a bit gives 0: nothing is delivered and half of its time is dropped.
    const int32_t n = (m_bitTiming + 0x8000) >> 16;
    const int line = m_detector == m_polarity ? 1 : 0;
    for (int32_t k = 0; k < n; ++k) m_decoder.bit(line);
    // Keeping half of the residual lets the timing follow a sender whose bits are a
    // little long or short without letting one ragged edge move the next bit much.
    m_bitTiming = (m_bitTiming - n * 65536) >> 1;
}

void RttyDemodulator::endOfInput() noexcept
{
    // The correlator spans 64 decimated samples (85 ms, 4 bits at 100 Bd): push the last
    // of the signal through it with silence, which never flips the slicer by itself.
    for (int k = 0; k < kFlushSamples; ++k) process(0);
    deliverBits();
}

}  // namespace vexa::engine
