#include "rig/frequency_entry.h"

#include <cerrno>
#include <cstdlib>

namespace vexa::rig {

std::optional<int> parseFrequencyEntry(std::string text, int signalHz)
{
    // A memory from the list starts with its number, "%2i: ".
    if (text.find_first_of("-:") != std::string::npos) text.erase(0, text.size() < 4 ? text.size() : 4);
    const long long currentMHz = static_cast<long long>(signalHz / 1000000) * 1000000;
    long long hz = 0;
    const auto firstDot = text.find('.');
    if (firstDot == std::string::npos) {
        char* end = nullptr;
        errno = 0;
        const long long n = std::strtoll(text.c_str(), &end, 0);
        if (end == text.c_str() || errno != 0 || n < 0) return std::nullopt;
        if (n < 1000)
            hz = n * 1000 + currentMHz;
        else if (n < 1000000)
            hz = n * 1000;
        else
            hz = n;
    } else {
        // MHz.kHz.Hz: dropping the first dot leaves kHz with a fraction.
        if (text.find('.', firstDot + 1) != std::string::npos) text.erase(firstDot, 1);
        char* end = nullptr;
        const float x = std::strtof(text.c_str(), &end);
        if (end == text.c_str() || !(x >= 0.0f) || x >= 1000000.0f) return std::nullopt;
        hz = static_cast<long long>((x + 0.0005) * 1000);
        if (x < 1000.0f) hz += currentMHz;
    }
    if (hz <= 0 || hz > 2000000000) return std::nullopt;
    return static_cast<int>(hz);
}

}  // namespace vexa::rig
