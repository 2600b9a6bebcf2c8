// Where a bit-level receiver hands its line values: one call per bit period. The RTTY
// demodulator drives a BaudotDecoder through it.
#pragma once

namespace vexa::engine {

class BitSink {
public:
    virtual ~BitSink() = default;

    // One line value for one bit period; what counts as mark is up to the sink.
    virtual void bit(int value) = 0;
    // Forget any frame in progress.
    virtual void reset() {}
};

}  // namespace vexa::engine
