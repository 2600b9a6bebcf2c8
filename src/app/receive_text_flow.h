// Moves decoded text from the receive buffers onto the screen at each clock tick: the
// second channel's tail into the alert line, the main channel into the receive window with
// line wrapping, and the last call-sign-shaped word into `capturedCall`.
//
// Its state (column, previous character, word being collected, captured call, tail) lives
// as long as the application: a rebuilt main window continues where the old one stopped.
#pragma once

#include <string>
#include <string_view>

#include "common/ports.h"

namespace vexa::app {

class ReceiveTextFlow {
public:
    static constexpr std::size_t kTailLength = 50;

    // Appends `buffer` to the second-channel tail (last 50 characters, tabs as spaces, line
    // ends as "_"), shows the tail as the whole text of `alertLine` and empties `buffer`.
    // Does nothing when `buffer` is empty.
    void showSecondChannel(std::string& buffer, TextWindow& alertLine);

    // Types `buffer` at the end of `receiveWindow` and empties it, unless `paused` is set,
    // the buffer is empty or the receive window has the focus: then the text waits.
    // `wrapColumn`: a new line starts at the first space or control character once this
    // many characters stand on the line. Line breaks are written as "\n".
    // Returns true when text was written.
    bool moveReceivedText(std::string& buffer, TextWindow& receiveWindow, std::string_view stationCall,
                          int wrapColumn, bool paused);

    const std::string& capturedCall() const noexcept { return m_capturedCall; }
    void setCapturedCall(std::string call) { m_capturedCall = std::move(call); }
    const std::string& secondChannelTail() const noexcept { return m_tail; }
    int column() const noexcept { return m_column; }

private:
    void endWord(std::string_view stationCall);

    int m_column = 0;
    unsigned char m_previous = 0;
    std::string m_word;
    std::string m_capturedCall;
    std::string m_tail;
};

}  // namespace vexa::app
