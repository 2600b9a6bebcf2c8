// Independent floating-point FSK test signals for the RTTY and FSK31 receivers: keyed
// continuous-phase tones built straight from the published codes (ITA2 with bit 1 as the
// least significant bit, PSK31 varicode) and white noise scaled to an SNR in 2500 Hz. Written apart from the
// engine on purpose, so that a mistake in the engine's tables or timing cannot cancel out in a round trip.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "support/psk_reference.h"
#include "support/text_distance.h"

namespace vexa::test {

inline constexpr double kSampleRate = 11025.0;

// Tones with a continuous phase; bit edges land on the nearest sample of the ideal time,
// so long streams keep their rate exactly.
class FskWriter {
public:
    explicit FskWriter(double amplitude = 16000.0) : m_amplitude(amplitude) {}

    // gain scales this tone alone (a selective fade).
    void tone(double hz, double seconds, double gain = 1.0)
    {
        m_idealEnd += seconds * kSampleRate;
        const double step = 2.0 * M_PI * hz / kSampleRate;
        while (static_cast<double>(m_samples.size()) < std::round(m_idealEnd)) {
            m_samples.push_back(static_cast<float>(gain * m_amplitude * std::cos(m_phase)));
            m_phase = std::fmod(m_phase + step, 2.0 * M_PI);
        }
    }
    void silence(double seconds)
    {
        m_idealEnd += seconds * kSampleRate;
        while (static_cast<double>(m_samples.size()) < std::round(m_idealEnd)) m_samples.push_back(0.0F);
    }

    const std::vector<float>& samples() const { return m_samples; }
    double amplitude() const { return m_amplitude; }

private:
    double m_amplitude;
    double m_phase = 0.0;
    double m_idealEnd = 0.0;
    std::vector<float> m_samples;
};

// 258 characters of a QSO in RTTY's character set: the text the weak-signal measurements
// and tests send.
inline constexpr std::string_view kQsoText =
    "CQ CQ CQ DE DL0VXA DL0VXA DL0VXA PSE K\n"
    "DL0VXA DE G4ABC G4ABC GM OM TNX FER CALL UR RST 599 5NN NAME IS JOHN QTH LONDON\n"
    "G4ABC DE DL0VXA R R FB JOHN UR 579 HR IN BERLIN JO62 RIG 100 W ANT DIPOLE\n"
    "WX COLD -3 C 73 ES GL SK\n"
    "PSE QSL VIA BURO, TNX QSO 73 DE DL0VXA K";

// ITA2 in its usual numbering (bit 1 = least significant bit, sent first).
using namespace std::string_view_literals;
inline constexpr std::string_view kItaLetters = "\0E\nA SIU\rDRJNFCKTZLWHYPQOBG\x1BMXV\x1F"sv;
inline constexpr std::string_view kItaFigures =
    "\0"
    "3\n- '87\r$4',!:(5\")2#6019?&\x1B./;\x1F"sv;
static_assert(kItaLetters.size() == 32 && kItaFigures.size() == 32);
inline constexpr int kItaFigs = 27;
inline constexpr int kItaLtrs = 31;

// Text (upper-case letters, digits, space, CR, LF, common punctuation) to ITA2 codes,
// beginning with LTRS. With shiftAfterSpace the sender assumes nothing after a space and
// sends the shift again (as Vexa's own transmitter does); without it, it assumes the
// receiver fell back to letters ("unshift on space").
inline std::vector<int> ita2Codes(std::string_view text, bool shiftAfterSpace)
{
    std::vector<int> codes{kItaLtrs};
    int shift = kItaLtrs;  // -1: none known
    for (char c : text) {
        if (c == ' ' || c == '\r' || c == '\n') {
            codes.push_back(static_cast<int>(kItaLetters.find(c)));
            if (c == ' ') shift = shiftAfterSpace ? -1 : kItaLtrs;
            continue;
        }
        const auto l = kItaLetters.find(c);
        const bool isLetter = c >= 'A' && c <= 'Z';
        const auto f = kItaFigures.find(c);
        const int want = isLetter ? kItaLtrs : kItaFigs;
        const auto code = isLetter ? l : f;
        if (code == std::string_view::npos) continue;
        if (shift != want) codes.push_back(want);
        shift = want;
        codes.push_back(static_cast<int>(code));
    }
    return codes;
}

struct RttyKeying {
    double markHz = 1085.0;
    double spaceHz = 915.0;
    double baud = 45.45;
    double stopBits = 1.5;
    double markGain = 1.0;  // below 1: the mark tone faded
};

// Idle mark, then each code as start (space), five data bits bit 1 first, stop (mark).
inline void keyRtty(FskWriter& w, const std::vector<int>& codes, const RttyKeying& k,
                    double leadSeconds = 0.5, double tailSeconds = 0.5)
{
    const double bit = 1.0 / k.baud;
    w.tone(k.markHz, leadSeconds, k.markGain);
    for (int code : codes) {
        w.tone(k.spaceHz, bit);
        for (int b = 0; b < 5; ++b) {
            const bool mark = ((code >> b) & 1) != 0;
            w.tone(mark ? k.markHz : k.spaceHz, bit, mark ? k.markGain : 1.0);
        }
        w.tone(k.markHz, k.stopBits * bit, k.markGain);
    }
    w.tone(k.markHz, tailSeconds, k.markGain);
}

// Varicode bits for text (the full published table), framed by idle zeros.
inline std::vector<int> varicodeBitsWithIdle(std::string_view text, int idleBits = 32)
{
    std::vector<int> bits(static_cast<std::size_t>(idleBits), 0);
    const std::vector<int> words = varicodeBits(text);
    bits.insert(bits.end(), words.begin(), words.end());
    bits.insert(bits.end(), static_cast<std::size_t>(idleBits), 0);
    return bits;
}

// FSK31: a one keeps the tone, a zero changes to the other; tones 16.625 Hz apart.
inline void keyFsk31(FskWriter& w, const std::vector<int>& bits, double centreHz, double baud = 31.25,
                     double shiftHz = 16.625)
{
    bool upper = false;
    for (int b : bits) {
        if (b == 0) upper = !upper;
        w.tone(centreHz + (upper ? shiftHz : -shiftHz) / 2.0, 1.0 / baud);
    }
}

inline double meanPower(const std::vector<float>& s)
{
    double sum = 0.0;
    for (float x : s) sum += static_cast<double>(x) * x;
    return s.empty() ? 0.0 : sum / static_cast<double>(s.size());
}

// Adds white Gaussian noise whose power within 2500 Hz is signalPower / 10^(snrDb / 10),
// and converts to 16-bit samples with clipping.
inline std::vector<int16_t> withNoise(const std::vector<float>& s, double signalPower, double snrDb,
                                      uint32_t seed)
{
    const double inBand = signalPower / std::pow(10.0, snrDb / 10.0);
    const double sigma = std::sqrt(inBand * (kSampleRate / 2.0) / 2500.0);
    std::mt19937 rng(seed);
    std::normal_distribution<double> gauss(0.0, sigma);
    std::vector<int16_t> out;
    out.reserve(s.size());
    for (float x : s) {
        const double v = std::clamp(std::round(x + gauss(rng)), -32768.0, 32767.0);
        out.push_back(static_cast<int16_t>(v));
    }
    return out;
}

inline std::vector<int16_t> toPcm(const std::vector<float>& s)
{
    return withNoise(s, 1.0, 300.0, 1);
}

// A text keyed clean at the given peak amplitude, as 16-bit samples.
inline std::vector<int16_t> rttyPcm(std::string_view text, const RttyKeying& k, bool shiftAfterSpace = true,
                                    double amplitude = 16000.0)
{
    FskWriter w(amplitude);
    keyRtty(w, ita2Codes(text, shiftAfterSpace), k);
    return toPcm(w.samples());
}

inline std::vector<int16_t> fsk31Pcm(std::string_view text, double centreHz, double amplitude = 16000.0)
{
    FskWriter w(amplitude);
    keyFsk31(w, varicodeBitsWithIdle(text), centreHz);
    return toPcm(w.samples());
}

}  // namespace vexa::test
