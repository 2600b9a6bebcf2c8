// A TransmitTextSource over a fixed text, for tools, tests and recordings: hands out the
// text, then a number of "nothing this time" answers (idle), then the end-of-transmission
// character once, then nothing.
#pragma once

#include <string>

#include "common/transmit_text_source.h"

namespace vexa::engine {

class StringTransmitSource : public TransmitTextSource {
public:
    static constexpr int kNoEnd = -1;

    // idleBeforeEnd: idle answers after the text before code 174; kNoEnd: never ends.
    explicit StringTransmitSource(std::string text, int idleBeforeEnd = 0)
        : m_text(std::move(text)), m_idleBeforeEnd(idleBeforeEnd)
    {
    }

    int NextTransmitChar(int& out) override
    {
        if (m_position < m_text.size()) {
            out = static_cast<unsigned char>(m_text[m_position++]);
            return 1;
        }
        if (m_idleBeforeEnd == kNoEnd || m_ended) return 0;
        if (m_idleGiven < m_idleBeforeEnd) {
            ++m_idleGiven;
            out = 0;
            return 1;
        }
        m_ended = true;
        out = 174;
        return 1;
    }
    void StartTransmitText() override { m_startCalls++; }
    void EmptyTransmitText() override
    {
        m_position = m_text.size();
        m_emptyCalls++;
    }

    void append(const std::string& more) { m_text += more; }
    bool drained() const noexcept { return m_position >= m_text.size(); }
    int startCalls() const noexcept { return m_startCalls; }
    int emptyCalls() const noexcept { return m_emptyCalls; }

private:
    std::string m_text;
    std::size_t m_position = 0;
    int m_idleBeforeEnd;
    int m_idleGiven = 0;
    bool m_ended = false;
    int m_startCalls = 0;
    int m_emptyCalls = 0;
};

}  // namespace vexa::engine
