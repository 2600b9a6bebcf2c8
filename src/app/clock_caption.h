// The clock on the time-stamp button: "%H:%M:%S", UTC when GMT is on. The caption changes
// once a second, and the once-a-second work of the clock tick hangs on that change.
#pragma once

#include <ctime>
#include <string>

namespace vexa::app {

std::string formatClock(std::time_t now, bool gmt);

class ClockCaption {
public:
    // True when the text changed (a new second): text() is then the new caption.
    bool update(std::time_t now, bool gmt);
    const std::string& text() const noexcept { return m_text; }
    // Seconds seen since the window started; the spectrum is redrawn from the second on.
    long secondsCounted() const noexcept { return m_seconds; }

private:
    std::string m_text;
    long m_seconds = 0;
};

}  // namespace vexa::app
