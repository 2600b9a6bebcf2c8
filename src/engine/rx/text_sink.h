// Where decoded characters go: a byte appended to a text buffer that the clock tick empties
// into a text window. One sink for the receive text, one for the second channel.
#pragma once

#include <string>

namespace vexa::engine {

class TextSink {
public:
    explicit TextSink(std::string* buffer = nullptr) noexcept : m_buffer(buffer) {}
    virtual ~TextSink() = default;

    // nullptr: characters are dropped. Not owned.
    void setBuffer(std::string* buffer) noexcept { m_buffer = buffer; }
    std::string* buffer() const noexcept { return m_buffer; }

    // Appends one character (a byte; codes above 255 keep their low byte). The channel
    // number is carried for callers that multiplex, and ignored here.
    virtual void put(int channel, int character)
    {
        static_cast<void>(channel);
        if (m_buffer != nullptr)
            m_buffer->push_back(static_cast<char>(static_cast<unsigned char>(character)));
    }

private:
    std::string* m_buffer;
};

}  // namespace vexa::engine
