// A transceiver that records what it is told: the mode commands and the key line (which
// the voice keyer drives from its own thread, hence the lock).
#pragma once

#include <mutex>
#include <vector>

#include "rig/transceiver_port.h"

namespace vexa::test {

class RecordingTransceiver final : public rig::TransceiverPort {
public:
    std::vector<int> modeCommands;

    void SetTransceiverMode(int code) override { modeCommands.push_back(code); }
    void SetPtt(bool on) override
    {
        std::lock_guard lock(m_mutex);
        m_ptt.push_back(on);
    }
    std::vector<bool> ptt() const
    {
        std::lock_guard lock(m_mutex);
        return m_ptt;
    }
    std::size_t pttCount() const
    {
        std::lock_guard lock(m_mutex);
        return m_ptt.size();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<bool> m_ptt;
};

}  // namespace vexa::test
