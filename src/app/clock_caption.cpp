#include "app/clock_caption.h"

namespace vexa::app {

std::string formatClock(std::time_t now, bool gmt)
{
    std::tm parts{};
    if (gmt)
        gmtime_r(&now, &parts);
    else
        localtime_r(&now, &parts);
    char text[16];
    const std::size_t n = std::strftime(text, sizeof text, "%H:%M:%S", &parts);
    return std::string(text, n);
}

bool ClockCaption::update(std::time_t now, bool gmt)
{
    std::string text = formatClock(now, gmt);
    if (text == m_text) return false;
    m_text = std::move(text);
    ++m_seconds;
    return true;
}

}  // namespace vexa::app
