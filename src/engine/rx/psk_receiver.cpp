#include "engine/rx/psk_receiver.h"

namespace vexa::engine {

PskReceiver::PskReceiver(const SineTable& table, TextSink& text) noexcept
    : m_varicode(&text), m_qpsk(&text), m_selector(&m_varicode), m_demodulator(table)
{
    m_demodulator.setSink(&m_selector);
}

void PskReceiver::setDecoding(Decoding decoding) noexcept
{
    m_decoding = decoding;
    m_selector.setTarget(decoding == Decoding::Qpsk ? static_cast<SymbolSink*>(&m_qpsk) : &m_varicode);
}

int32_t PskReceiver::driftIndicator() const noexcept
{
    return m_decoding == Decoding::Qpsk ? m_qpsk.drift() : m_varicode.drift();
}

void PskReceiver::setDriftIndicator(int32_t drift) noexcept
{
    if (m_decoding == Decoding::Qpsk)
        m_qpsk.setDrift(drift);
    else
        m_varicode.setDrift(drift);
}

int32_t PskReceiver::jitterIndicator() const noexcept
{
    return m_decoding == Decoding::Qpsk ? m_qpsk.jitter() : m_varicode.jitter();
}

}  // namespace vexa::engine
