// The transmitter's key line (PTT) as the transmit path and the voice keyer drive it. The
// serial channel implements it; RecordingKeyLine stands in until one is open.
#pragma once

#include <atomic>

namespace vexa::engine {

class KeyLine {
public:
    virtual ~KeyLine() = default;
    virtual void SetPtt(bool on) = 0;  // any thread
};

// Keys nothing, but remembers the line state and counts the changes, so that a missing
// key-up is visible.
class RecordingKeyLine : public KeyLine {
public:
    void SetPtt(bool on) override
    {
        m_on = on;
        (on ? m_keyDowns : m_keyUps).fetch_add(1);
    }
    bool on() const noexcept { return m_on; }
    int keyDowns() const noexcept { return m_keyDowns; }
    int keyUps() const noexcept { return m_keyUps; }

private:
    std::atomic<bool> m_on{false};
    std::atomic<int> m_keyDowns{0};
    std::atomic<int> m_keyUps{0};
};

}  // namespace vexa::engine
