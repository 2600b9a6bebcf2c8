// Character error rate against SNR for the two RTTY receivers side by side (and for the
// FSK31 receiver), on the same audio and the same noise seeds: minimodem's signal and the
// independent float generator, white Gaussian noise scaled to the SNR in 2500 Hz, errors
// by edit distance against the sent text. Also counts what each receiver prints from noise
// alone. Not a test: run it by hand, it prints a plain table.
//
//   rtty_cer_table [--seeds N] [--from DB] [--to DB] [--step DB] [--only NAME] [--garbage S]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dsp/sine_table.h"
#include "engine/rx/decoder_selector.h"
#include "engine/rx/fsk31_demodulator.h"
#include "engine/rx/rtty_demodulator.h"
#include "engine/rx/rtty_matched_demodulator.h"
#include "engine/rx/text_sink.h"
#include "engine/rx/varicode_decoder.h"
#include "support/fsk_test_signal.h"
#include "support/minimodem_harness.h"
#include "support/rtty_copy.h"
#include "support/text_distance.h"

namespace {

using namespace vexa;

constexpr double kCentreHz = 1000.0;

const std::string kQso(test::kQsoText);

enum class Decoder { Discriminator, Matched };

std::string decodeRtty(Decoder which, const std::vector<int16_t>& audio, double baud)
{
    if (which == Decoder::Discriminator) {
        engine::SineTable table;
        engine::RttyDemodulator rx(table);
        return test::copyRtty(rx, audio, kCentreHz, baud);
    }
    engine::RttyMatchedDemodulator rx;
    return test::copyRtty(rx, audio, kCentreHz, baud);
}

std::string decodeFsk31(const std::vector<int16_t>& audio)
{
    std::string text;
    engine::TextSink sink(&text);
    engine::VaricodeDecoder varicode(&sink);
    engine::DecoderSelector selector(&varicode);
    engine::SineTable table;
    engine::Fsk31Demodulator rx(table);
    rx.setSink(&selector);
    rx.setFrequency(kCentreHz);
    rx.processBlock(audio);
    return text;
}

struct Signal {
    std::string name;
    double baud;
    std::vector<float> clean;
    std::string sent;
    double power = 0.0;  // reference for the SNR; 0: the mean power of clean
};

// offsetHz mistunes both tones; markFadeDb attenuates the mark tone alone.
std::vector<float> generatorRtty(const std::string& text, double shiftHz, double baud, double offsetHz = 0.0,
                                 double markFadeDb = 0.0)
{
    test::FskWriter w(1600.0);
    test::keyRtty(w, test::ita2Codes(text, true),
                  {kCentreHz + offsetHz + shiftHz / 2.0, kCentreHz + offsetHz - shiftHz / 2.0, baud, 1.5,
                   std::pow(10.0, -markFadeDb / 20.0)});
    return w.samples();
}

std::optional<std::vector<float>> minimodemRtty(const std::string& text, double baud)
{
    char dir[] = "/tmp/rtty-cer-XXXXXX";
    if (::mkdtemp(dir) == nullptr) return std::nullopt;
    const auto audio = test::minimodemRtty(text, kCentreHz + 85.0, kCentreHz - 85.0, 0.05, dir, baud > 50.0);
    std::filesystem::remove_all(dir);
    if (!audio) return std::nullopt;
    return std::vector<float>(audio->begin(), audio->end());
}

struct Options {
    int seeds = 8;
    double from = 10.0;
    double to = -9.0;
    double step = 1.0;
    std::string only;
    double garbageSeconds = 60.0;
};

double cerAt(const Signal& s, double snr, int seeds,
             const std::function<std::string(const std::vector<int16_t>&)>& rx)
{
    const double power = s.power > 0.0 ? s.power : test::meanPower(s.clean);
    long errors = 0;
    long sent = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
        const auto audio = test::withNoise(s.clean, power, snr, static_cast<uint32_t>(1000 + seed));
        const std::string got = rx(audio);
        errors += test::editDistance(s.sent, got);
        sent += static_cast<long>(s.sent.size());
    }
    return static_cast<double>(errors) / static_cast<double>(sent);
}

// SNR where the CER curve (falling with SNR) first crosses the goal from below, linearly
// interpolated; NaN when the strongest SNR is already worse, -infinity when even the
// weakest is still better.
double crossing(const std::vector<double>& snr, const std::vector<double>& cer, double goal)
{
    // Walk from the strong end down; the last SNR still at or under the goal, interpolated
    // towards the first one above it.
    for (std::size_t k = 0; k + 1 < snr.size(); ++k) {
        if (cer[k] <= goal && cer[k + 1] > goal)
            return snr[k] + (snr[k + 1] - snr[k]) * (goal - cer[k]) / (cer[k + 1] - cer[k]);
        if (cer[k] > goal) return std::nan("");
    }
    return cer.empty() || cer.back() > goal ? std::nan("") : -INFINITY;
}

// A crossing as a table cell: "  -6.2 dB", "   above" (worse over the whole range) or
// "   below" (better over the whole range).
std::string cell(double snr)
{
    char text[32];
    if (std::isnan(snr))
        std::snprintf(text, sizeof text, "   above");
    else if (std::isinf(snr))
        std::snprintf(text, sizeof text, "   below");
    else
        std::snprintf(text, sizeof text, "%+6.1f dB", snr);
    return text;
}

using Receiver = std::function<std::string(const std::vector<int16_t>&)>;

// One table: the CER of two receivers of the same signal, SNR by SNR, then the SNR at which
// each reaches 1, 5 and 10 % errors.
void cerTable(const Signal& s, const Options& o, const char* columns, const Receiver& first,
              const Receiver& second)
{
    std::printf("\n%s, %zu characters x %d seeds, SNR in 2500 Hz\n", s.name.c_str(), s.sent.size(), o.seeds);
    std::printf("  SNR dB   %s\n", columns);
    std::vector<double> snrs;
    std::vector<double> a;
    std::vector<double> b;
    for (double snr = o.from; snr >= o.to - 1e-9; snr -= o.step) {
        snrs.push_back(snr);
        a.push_back(cerAt(s, snr, o.seeds, first));
        b.push_back(cerAt(s, snr, o.seeds, second));
        std::printf("  %+6.1f   %10.2f %%   %7.2f %%\n", snr, a.back() * 100.0, b.back() * 100.0);
        std::fflush(stdout);
    }
    for (double goal : {0.01, 0.05, 0.10}) {
        std::printf("  CER %2.0f %% at   %s      %s\n", goal * 100.0, cell(crossing(snrs, a, goal)).c_str(),
                    cell(crossing(snrs, b, goal)).c_str());
    }
}

void rttyTable(const Signal& s, const Options& o)
{
    cerTable(
        s, o, "discriminator   matched",
        [&](const auto& audio) { return decodeRtty(Decoder::Discriminator, audio, s.baud); },
        [&](const auto& audio) { return decodeRtty(Decoder::Matched, audio, s.baud); });
}

// What the RTTY receiver's detector would make of FSK31: per bit, the energy of each tone
// through a filter matched to one bit, the stronger tone wins, a one keeps the tone. The
// bit timing is handed over exactly (the generator's own edges), so this is the best such
// a detector could do; its bits go through the same varicode decoder.
std::string decodeFsk31TwoTone(const std::vector<int16_t>& audio, std::size_t bits)
{
    std::string text;
    engine::TextSink sink(&text);
    engine::VaricodeDecoder varicode(&sink);
    engine::DecoderSelector selector(&varicode);
    constexpr double kShiftHz = 16.625;
    const double samplesPerBit = test::kSampleRate / 31.25;
    bool previousUpper = false;
    for (std::size_t k = 0; k < bits; ++k) {
        const auto from = static_cast<std::size_t>(std::llround(k * samplesPerBit));
        const auto to =
            std::min(audio.size(), static_cast<std::size_t>(std::llround((k + 1) * samplesPerBit)));
        double energy[2] = {0.0, 0.0};
        for (int tone = 0; tone < 2; ++tone) {
            const double hz = kCentreHz + (tone == 1 ? kShiftHz : -kShiftHz) / 2.0;
            double re = 0.0;
            double im = 0.0;
            for (std::size_t n = from; n < to; ++n) {
                const double w = 2.0 * M_PI * hz * static_cast<double>(n) / test::kSampleRate;
                re += audio[n] * std::cos(w);
                im -= audio[n] * std::sin(w);
            }
            energy[tone] = re * re + im * im;
        }
        const bool upper = energy[1] > energy[0];
        selector.bit(upper == previousUpper ? 1 : 0);
        previousUpper = upper;
    }
    return text;
}

void fsk31Table(const Options& o)
{
    std::string text;
    for (char c : kQso)
        text += c == '\n' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    test::FskWriter w(1600.0);
    test::keyFsk31(w, test::varicodeBitsWithIdle(text), kCentreHz);
    const std::size_t bits = test::varicodeBitsWithIdle(text).size();
    const Signal s{"FSK31 generator", 31.25, w.samples(), text};
    cerTable(s, o, "FSK31 receiver   two-tone energy, exact timing", decodeFsk31,
             [&](const auto& audio) { return decodeFsk31TwoTone(audio, bits); });
}

// Characters printed from white noise alone (same noise power as a 0 dB signal of the
// generator's amplitude), per minute.
void garbage(const Options& o)
{
    const std::vector<float> silence(static_cast<std::size_t>(o.garbageSeconds * test::kSampleRate), 0.0F);
    const double power = 1600.0 * 1600.0 / 2.0;
    std::printf("\nNoise alone, %.0f s x %d seeds: characters printed per minute\n", o.garbageSeconds,
                o.seeds);
    std::printf("  baud    discriminator   matched\n");
    for (double baud : {45.45, 100.0}) {
        long a = 0;
        long b = 0;
        for (int seed = 1; seed <= o.seeds; ++seed) {
            const auto audio = test::withNoise(silence, power, 0.0, static_cast<uint32_t>(5000 + seed));
            a += static_cast<long>(decodeRtty(Decoder::Discriminator, audio, baud).size());
            b += static_cast<long>(decodeRtty(Decoder::Matched, audio, baud).size());
        }
        const double minutes = o.garbageSeconds * o.seeds / 60.0;
        std::printf("  %6.2f  %10.1f      %7.1f\n", baud, a / minutes, b / minutes);
    }
}

int usage()
{
    std::fputs(
        "usage: rtty_cer_table [--seeds N] [--from DB] [--to DB] [--step DB] [--only NAME] [--garbage S]\n"
        "NAME: mm45, gen170, gen180, mm100, gen100, gen170off3, gen170fade, fsk31, noise\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    for (int k = 1; k < argc; ++k) {
        const std::string_view a = argv[k];
        if (k + 1 >= argc) return usage();
        const char* v = argv[++k];
        if (a == "--seeds")
            o.seeds = std::atoi(v);
        else if (a == "--from")
            o.from = std::atof(v);
        else if (a == "--to")
            o.to = std::atof(v);
        else if (a == "--step")
            o.step = std::atof(v);
        else if (a == "--only")
            o.only = v;
        else if (a == "--garbage")
            o.garbageSeconds = std::atof(v);
        else
            return usage();
    }
    constexpr std::string_view kNames[] = {"mm45",       "gen170",     "gen180", "mm100", "gen100",
                                           "gen170off3", "gen170fade", "fsk31",  "noise"};
    const bool known =
        o.only.empty() || std::find(std::begin(kNames), std::end(kNames), o.only) != std::end(kNames);
    if (o.seeds < 1 || o.step <= 0.0 || !known) return usage();
    const auto wanted = [&](std::string_view name) { return o.only.empty() || o.only == name; };

    if (wanted("mm45") || wanted("mm100")) {
        if (!test::minimodemAvailable()) std::puts("minimodem is not installed: its rows are skipped");
    }
    if (wanted("mm45") && test::minimodemAvailable()) {
        if (auto a = minimodemRtty(kQso, 45.45)) rttyTable({"minimodem 45.45 Bd 170 Hz", 45.45, *a, kQso}, o);
    }
    if (wanted("gen170"))
        rttyTable({"generator 45.45 Bd 170 Hz", 45.45, generatorRtty(kQso, 170.0, 45.45), kQso}, o);
    if (wanted("gen180"))
        rttyTable({"generator 45.45 Bd 180 Hz", 45.45, generatorRtty(kQso, 180.0, 45.45), kQso}, o);
    if (wanted("mm100") && test::minimodemAvailable()) {
        if (auto a = minimodemRtty(kQso, 100.0)) rttyTable({"minimodem 100 Bd 170 Hz", 100.0, *a, kQso}, o);
    }
    if (wanted("gen100"))
        rttyTable({"generator 100 Bd 170 Hz", 100.0, generatorRtty(kQso, 170.0, 100.0), kQso}, o);
    if (wanted("gen170off3"))
        rttyTable(
            {"generator 45.45 Bd 170 Hz, 3 Hz off", 45.45, generatorRtty(kQso, 170.0, 45.45, 3.0), kQso}, o);
    if (wanted("gen170fade")) {
        // The SNR is that of the unfaded signal.
        rttyTable({"generator 45.45 Bd 170 Hz, mark 10 dB down", 45.45,
                   generatorRtty(kQso, 170.0, 45.45, 0.0, 10.0), kQso, 1600.0 * 1600.0 / 2.0},
                  o);
    }
    if (wanted("fsk31")) fsk31Table(o);
    if (wanted("noise")) garbage(o);
    return 0;
}
