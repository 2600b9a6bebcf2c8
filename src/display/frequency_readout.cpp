#include "display/frequency_readout.h"

#include <cstdio>
#include <cstdlib>

namespace vexa::display {

std::string formatDialFrequency(int hz)
{
    const long long v = hz < 0 ? -static_cast<long long>(hz) : hz;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lli.%03lli.%03lli", hz < 0 ? "-" : "", v / 1000000,
                  (v / 1000) % 1000, v % 1000);
    return text;
}

std::string formatAudioFrequency(double hz)
{
    char text[64];
    std::snprintf(text, sizeof text, "%6.1f", hz);
    return text;
}

}  // namespace vexa::display
