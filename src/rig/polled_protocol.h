// The protocol of a radio that reports nothing by itself: what it answers is kept until the
// once-a-second poll interprets all of it at once, and forgotten when the link comes back.
#pragma once

#include <string>
#include <string_view>

#include "rig/transceiver_protocol.h"

namespace vexa::rig {

class PolledProtocol : public TransceiverProtocol {
public:
    void receive(std::span<const uint8_t> bytes, ProtocolSink&) final
    {
        m_replies.append(bytes.begin(), bytes.end());
    }
    bool pollsEverySecond() const final { return true; }
    void interpretReplies(ProtocolSink& sink) final
    {
        interpret(m_replies, sink);
        m_replies.clear();
    }
    void reset() final { m_replies.clear(); }

protected:
    // Every byte that arrived since the last poll.
    virtual void interpret(std::string_view replies, ProtocolSink& sink) = 0;

private:
    std::string m_replies;
};

}  // namespace vexa::rig
