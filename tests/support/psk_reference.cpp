#include "support/psk_reference.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace vexa::test {
namespace {

// clang-format off
constexpr const char* kWords[128] = {
    "1010101011", "1011011011", "1011101101", "1101110111", "1011101011", "1101011111",
    "1011101111", "1011111101", "1011111111", "11101111", "11101", "1101101111",
    "1011011101", "11111", "1101110101", "1110101011", "1011110111", "1011110101",
    "1110101101", "1110101111", "1101011011", "1101101011", "1101101101", "1101010111",
    "1101111011", "1101111101", "1110110111", "1101010101", "1101011101", "1110111011",
    "1011111011", "1101111111", "1", "111111111", "101011111", "111110101",
    "111011011", "1011010101", "1010111011", "101111111", "11111011", "11110111",
    "101101111", "111011111", "1110101", "110101", "1010111", "110101111",
    "10110111", "10111101", "11101101", "11111111", "101110111", "101011011",
    "101101011", "110101101", "110101011", "110110111", "11110101", "110111101",
    "111101101", "1010101", "111010111", "1010101111", "1010111101", "1111101",
    "11101011", "10101101", "10110101", "1110111", "11011011", "11111101",
    "101010101", "1111111", "111111101", "101111101", "11010111", "10111011",
    "11011101", "10101011", "11010101", "111011101", "10101111", "1101111",
    "1101101", "101010111", "110110101", "101011101", "101110101", "101111011",
    "1010101101", "111110111", "111101111", "111111011", "1010111111", "101101101",
    "1011011111", "1011", "1011111", "101111", "101101", "11",
    "111101", "1011011", "101011", "1101", "111101011", "10111111",
    "11011", "111011", "1111", "111", "111111", "110111111",
    "10101", "10111", "101", "110111", "1111011", "1101011",
    "11011111", "1011101", "111010101", "1010110111", "110111011", "1010110101",
    "1011010111", "1110110101",
};
// clang-format on

int parity(unsigned v)
{
    int p = 0;
    for (; v != 0; v >>= 1) p ^= static_cast<int>(v & 1);
    return p;
}

}  // namespace

std::string_view referenceVaricodeWord(int code)
{
    return (code >= 0 && code < 128) ? kWords[code] : "";
}

std::vector<int> varicodeBits(std::string_view text)
{
    std::vector<int> bits;
    for (const char ch : text) {
        for (const char b : referenceVaricodeWord(static_cast<unsigned char>(ch) & 0x7F))
            bits.push_back(b == '1' ? 1 : 0);
        bits.push_back(0);
        bits.push_back(0);
    }
    return bits;
}

std::vector<double> pskSignal(std::string_view text, const PskSignalOptions& o)
{
    std::vector<int> bits(static_cast<std::size_t>(o.leadBits), 0);
    const auto data = varicodeBits(text);
    bits.insert(bits.end(), data.begin(), data.end());
    bits.insert(bits.end(), static_cast<std::size_t>(o.tailBits), 0);

    // One constellation point per symbol, as complex baseband; symbol 0 is the
    // reference carrier that precedes the first bit.
    std::vector<std::complex<double>> points(static_cast<std::size_t>(1 + o.leadCarrierSymbols),
                                             std::polar(1.0, o.startPhase));
    unsigned shift = 0;
    for (const int bit : bits) {
        double turn = 0.0;  // quarter turns
        if (o.qpsk) {
            shift = ((shift << 1) | static_cast<unsigned>(1 - bit)) & 31u;
            const int dibit = 2 * parity(shift & 0x19u) + parity(shift & 0x17u);
            turn = o.reverseSense ? -dibit : dibit;
        } else {
            turn = bit == 0 ? 2.0 : 0.0;
        }
        points.push_back(points.back() * std::polar(1.0, turn * M_PI / 2.0));
    }

    const double samplesPerSymbol = o.sampleRate / o.symbolRateBd;
    const auto total = static_cast<std::size_t>(
        o.leadSilence + std::ceil(samplesPerSymbol * static_cast<double>(points.size())));
    std::vector<double> out(total, 0.0);
    const double w = 2.0 * M_PI * o.carrierHz / o.sampleRate;
    for (std::size_t n = static_cast<std::size_t>(o.leadSilence); n < total; ++n) {
        const double t = static_cast<double>(n - static_cast<std::size_t>(o.leadSilence)) / samplesPerSymbol;
        const auto k = static_cast<std::size_t>(t);
        if (k >= points.size()) break;
        const double frac = t - static_cast<double>(k);
        // Raised-cosine blend from the previous point to this one across the symbol:
        // a reversal passes through zero amplitude at mid-symbol.
        const std::complex<double> prev = k == 0 ? std::complex<double>{} : points[k - 1];
        const double fade = 0.5 * (1.0 + std::cos(M_PI * frac));
        const std::complex<double> b = prev * fade + points[k] * (1.0 - fade);
        out[n] = o.amplitude * std::real(b * std::polar(1.0, w * static_cast<double>(n)));
    }
    return out;
}

std::vector<int16_t> toPcm16(const std::vector<double>& signal)
{
    std::vector<int16_t> out(signal.size());
    for (std::size_t n = 0; n < signal.size(); ++n)
        out[n] = static_cast<int16_t>(std::lround(std::clamp(signal[n], -32768.0, 32767.0)));
    return out;
}

}  // namespace vexa::test
