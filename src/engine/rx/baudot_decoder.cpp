// ITA2 framing and shift tracking for the RTTY receiver.
#include "engine/rx/baudot_decoder.h"

#include "engine/rx/baudot_tables.h"
#include "engine/rx/text_sink.h"

namespace vexa::engine {

BaudotDecoder::BaudotDecoder() noexcept
    : m_table(kBaudotLetters.data()), m_lettersOutput(kBaudotUppercase.data())
{
}

bool BaudotDecoder::figuresShift() const noexcept
{
    return m_table == kBaudotFigures.data();
}

void BaudotDecoder::bit(int value)
{
    const bool mark = value == m_markValue;
    switch (m_state) {
        case kWaitForMark:
            if (mark) m_state = kIdle;
            break;
        case kIdle:
            if (!mark) {
                m_shiftRegister = 0;
                m_bitsToReceive = 5;
                m_state = kData;
            }
            break;
        case kData:
            m_shiftRegister = (m_shiftRegister << 1) | (mark ? 1 : 0);
            if (--m_bitsToReceive == 0) {
                m_state = kStopBit;
                decode();
            }
            break;
        default:
            // A space where the stop bit belongs is a framing error. The character has
            // already gone out; the next start bit only counts after the line shows mark.
            m_state = mark ? kIdle : kWaitForMark;
            break;
    }
}

void BaudotDecoder::decode() noexcept
{
    const int code = m_shiftRegister & (kBaudotTableSize - 1);
    const char c = m_table[code];
    if (c == kBaudotMarkerLtrs || c == kBaudotMarkerNul) {
        m_table = kBaudotLetters.data();
        return;
    }
    if (c == kBaudotMarkerFigs) {
        m_table = kBaudotFigures.data();
        return;
    }
    const bool letters = m_table == kBaudotLetters.data();
    const char out = (letters && c != '\r' && c != '\n') ? m_lettersOutput[code] : c;
    m_lastChar = static_cast<uint8_t>(out);
    if (m_text != nullptr) m_text->put(0, m_lastChar);
    // Senders today assume the receiver drops back to letters after a space and send
    // FIGS again before a figure that follows one; "599 TNX" would otherwise read
    // "599 5,/". A sender that always sends a shift after a space reads right either way.
    if (code == kBaudotSpace && m_unshiftOnSpace) m_table = kBaudotLetters.data();
}

void BaudotDecoder::reset()
{
    m_state = kWaitForMark;
    m_bitsToReceive = 0;
    m_shiftRegister = 0;
}

}  // namespace vexa::engine
