// Frames 5-bit ITA2 characters (one start bit, five data bits, a stop bit) out of a
// stream of line values and tracks the letters/figures shift. Letters come out in upper
// case, figures as in the figures table; CR and LF pass in both shifts.
#pragma once

#include <cstdint>

#include "engine/rx/bit_sink.h"

namespace vexa::engine {

class TextSink;

class BaudotDecoder : public BitSink {
public:
    enum State : int {
        kWaitForMark = 0,  // after a framing error, until the line shows mark
        kIdle = 1,         // mark: waiting for a start bit
        kData = 2,         // collecting the five data bits
        kStopBit = 3,      // expecting the mark of the stop bit
    };

    BaudotDecoder() noexcept;

    // Characters go to this sink (none: they are dropped). Not owned.
    void setTextSink(TextSink* sink) noexcept { m_text = sink; }

    // When on, a received space also returns to the letters shift, as today's RTTY
    // transmitters expect of the receiver. On by default.
    void setUnshiftOnSpace(bool on) noexcept { m_unshiftOnSpace = on; }
    bool unshiftOnSpace() const noexcept { return m_unshiftOnSpace; }

    // value == mark value (0) means mark; anything else space.
    void bit(int value) override;
    // Waits for mark again and drops a frame in progress; the shift is kept.
    void reset() override;

    int state() const noexcept { return m_state; }
    bool figuresShift() const noexcept;
    // The last character handed to the text sink (0 before the first).
    uint8_t lastCharacter() const noexcept { return m_lastChar; }

private:
    void decode() noexcept;

    const char* m_table;          // current shift: letters or figures table
    const char* m_lettersOutput;  // what a letters-shift code prints as
    int m_state = kWaitForMark;
    int m_bitsToReceive = 0;
    uint8_t m_lastChar = 0;
    int m_shiftRegister = 0;
    int m_markValue = 0;
    bool m_unshiftOnSpace = true;
    TextSink* m_text = nullptr;
};

}  // namespace vexa::engine
