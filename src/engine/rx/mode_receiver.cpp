#include "engine/rx/mode_receiver.h"

#include <optional>

#include "engine/audio/wave_header.h"
#include "engine/rx/afc_step.h"

namespace vexa::engine {

ModeReceiver::ModeReceiver(const SineTable& table, TextSink& text, TextSink& secondText) noexcept
    : m_main(table, text), m_second(table, secondText), m_rtty(table), m_fsk31(table)
{
    m_rtty.decoder().setTextSink(&text);
    m_rttyMatched.decoder().setTextSink(&text);
    m_rttyMatched.setSampleRate(WaveFormat::kSampleRate);
    // FSK31 carries varicode bits: they go through the main channel's selector, on BPSK.
    m_fsk31.setSink(&m_main.selector());
    for (PskDemodulator* d : {&m_main.demodulator(), &m_second.demodulator(),
                              static_cast<PskDemodulator*>(&m_rtty), static_cast<PskDemodulator*>(&m_fsk31)})
        d->setSampleRate(WaveFormat::kSampleRate);
    setDemodulator(OperatingMode::Psk31, &m_main.demodulator());
    setDemodulator(OperatingMode::Qpsk, &m_main.demodulator());
    setDemodulator(OperatingMode::Rtty, &m_rtty);
    setDemodulator(OperatingMode::Fsk31, &m_fsk31);
    setFrequency(m_hz);
}

void ModeReceiver::setMode(OperatingMode mode) noexcept
{
    using M = OperatingMode;
    switch (mode) {
        case M::Rtty:
            setRttySymbolRate(45.45);
            break;
        case M::Psk31:
            m_main.setDecoding(PskReceiver::Decoding::Bpsk);
            break;
        case M::Qpsk:
            m_main.setDecoding(PskReceiver::Decoding::Qpsk);
            m_main.setReverse(m_reverse);
            break;
        case M::Fsk31:
            m_main.setDecoding(PskReceiver::Decoding::Bpsk);
            m_fsk31.setPublishedCorrection(0);
            break;
        default:
            break;
    }
    m_mode = mode;
}

void ModeReceiver::setDemodulator(OperatingMode mode, PskDemodulator* demodulator) noexcept
{
    m_byMode[static_cast<std::size_t>(modeIndex(mode))] = demodulator;
    if (demodulator != nullptr) demodulator->setFrequency(m_hz);
}

PskDemodulator* ModeReceiver::demodulator(OperatingMode mode) const noexcept
{
    return m_byMode[static_cast<std::size_t>(modeIndex(mode))];
}

void ModeReceiver::setFrequency(double hz) noexcept
{
    m_hz = hz;
    m_main.setFrequency(hz);
    m_rtty.setFrequency(hz);
    m_rttyMatched.setFrequency(hz);
    m_fsk31.setFrequency(hz);
    for (PskDemodulator* d : m_byMode)
        if (d != nullptr) d->setFrequency(hz);
}

void ModeReceiver::setSecondChannelFrequency(double hz) noexcept
{
    m_secondHz = hz;
    if (hz > 0.0) m_second.setFrequency(hz);
}

void ModeReceiver::setReverse(bool reverse) noexcept
{
    m_reverse = reverse;
    m_main.setReverse(reverse);
}

void ModeReceiver::setRttySymbolRate(double bd) noexcept
{
    m_rtty.setSymbolRate(bd);
    m_rttyMatched.setSymbolRate(bd);
}

void ModeReceiver::setRttyPolarity(int polarity) noexcept
{
    m_rtty.setPolarity(polarity);
    m_rttyMatched.setPolarity(polarity);
}

void ModeReceiver::setRttyUnshiftOnSpace(bool on) noexcept
{
    m_rtty.decoder().setUnshiftOnSpace(on);
    m_rttyMatched.decoder().setUnshiftOnSpace(on);
}

void ModeReceiver::clearDrift() noexcept
{
    m_main.setDriftIndicator(0);
    m_fsk31.setPublishedCorrection(0);
}

bool ModeReceiver::receive(std::span<const int16_t> block, bool transmitting) noexcept
{
    if (transmitting || block.empty()) return false;
    if (m_mode == OperatingMode::Rtty && rttyMatchedRuns()) {
        m_rttyMatched.processBlock(block);
        return afcStep();
    }
    PskDemodulator* demodulator = this->demodulator(m_mode);
    if (demodulator == nullptr) return false;
    // The two PSK channels are independent, so running the block through one and then the
    // other gives the same symbols as interleaving them sample by sample.
    demodulator->processBlock(block);
    const bool psk = m_mode == OperatingMode::Psk31 || m_mode == OperatingMode::Qpsk;
    if (psk && m_secondHz > 0.0) m_second.process(block);
    return afcStep();
}

bool ModeReceiver::afcStep() noexcept
{
    AfcInputs in;
    in.mode = m_mode;
    in.afcEnabled = m_afc;
    in.receiveHz = m_hz;
    in.driftIndicator = driftIndicator();
    in.jitterIndicator = m_main.jitterIndicator();
    const std::optional<AfcRetune> retune = AfcStep(in);
    if (!retune) return false;
    setFrequency(retune->receiveHz);
    if (m_mode == OperatingMode::Fsk31)
        m_fsk31.setPublishedCorrection(retune->driftIndicator);
    else
        m_main.setDriftIndicator(retune->driftIndicator);
    return true;
}

void ModeReceiver::endOfInput() noexcept
{
    if (m_mode != OperatingMode::Rtty) return;
    if (rttyMatchedRuns())
        m_rttyMatched.endOfInput();
    else
        m_rtty.endOfInput();
}

int32_t ModeReceiver::driftIndicator() const noexcept
{
    switch (m_mode) {
        case OperatingMode::Rtty:
            return rttyMatchedRuns() ? m_rttyMatched.discriminatorSum() : m_rtty.discriminatorSum();
        case OperatingMode::Fsk31:
            return m_fsk31.publishedCorrection();
        default:
            return m_main.driftIndicator();
    }
}

}  // namespace vexa::engine
