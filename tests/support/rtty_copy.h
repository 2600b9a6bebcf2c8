// Runs one RTTY demodulator over a recording and returns the text it copied. The
// discriminator and the matched-filter receivers have the same controls, so the tests and
// the benchmarks that compare them share this one loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/rx/text_sink.h"

namespace vexa::test {

template <class Demodulator>
std::string copyRtty(Demodulator& rx, const std::vector<int16_t>& audio, double centreHz, double baud,
                     int polarity = 0)
{
    std::string text;
    engine::TextSink sink(&text);
    rx.setSymbolRate(baud);
    rx.setFrequency(centreHz);
    rx.setPolarity(polarity);
    rx.decoder().setTextSink(&sink);
    rx.processBlock(audio);
    rx.endOfInput();
    return text;
}

}  // namespace vexa::test
