// Where the transmit path takes its characters from: the keyboard transmit buffer in the
// application, a fixed string in tools and tests.
#pragma once

namespace vexa {

class TransmitTextSource {
public:
    virtual ~TransmitTextSource() = default;
    // 0: nothing can be sent now. 1: out holds the next character code (0 to 255), or 0
    // when nothing was obtained this time.
    virtual int NextTransmitChar(int& out) = 0;
    // A transmission starts: the text handed out first is CR LF.
    virtual void StartTransmitText() = 0;
    // The end-of-transmission character was reached: what is left unsent is discarded.
    virtual void EmptyTransmitText() = 0;
};

}  // namespace vexa
