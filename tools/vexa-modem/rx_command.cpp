// vexa-modem rx: audio in, decoded characters out, through the same receive engine as the
// application (blocks of 2048 samples, one AFC step per block as the spectrum display does).
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "common/operating_mode.h"
#include "engine/audio/audio_file.h"
#include "engine/audio/wave_header.h"
#include "engine/dsp/sine_table.h"
#include "engine/rx/afc_step.h"
#include "engine/rx/decoder_selector.h"
#include "engine/rx/fsk31_demodulator.h"
#include "engine/rx/psk_receiver.h"
#include "engine/rx/rtty_demodulator.h"
#include "engine/rx/rtty_matched_demodulator.h"
#include "engine/rx/text_sink.h"
#include "engine/rx/varicode_decoder.h"

namespace vexa::tools {
namespace {

using engine::PskReceiver;

constexpr std::size_t kBlockSamples = engine::kInputBlockBytes / 2;

struct RxOptions {
    double frequencyHz = 1000.0;
    bool reverse = false;
    bool afc = false;
    bool keepShift = false;   // RTTY: figures stay after a space
    bool matchedRtty = true;  // RTTY: the matched-filter receiver, as the application's default
};

// Characters go to stdout the moment they are decoded, bytes unchanged (NUL included).
class StdoutSink final : public engine::TextSink {
public:
    void put(int, int character) override { std::fputc(static_cast<unsigned char>(character), stdout); }
};

// One mode's receiver as the tool drives it.
class ModeReceiver {
public:
    virtual ~ModeReceiver() = default;
    virtual void process(std::span<const int16_t> block) = 0;
    // Once per block, as after each spectrum redraw.
    virtual void afcStep() {}
    // The input has ended.
    virtual void finish() {}
};

class PskModeReceiver final : public ModeReceiver {
public:
    PskModeReceiver(int operatingMode, const RxOptions& o, engine::TextSink& text)
        : m_mode(operatingMode), m_afc(o.afc), m_hz(o.frequencyHz), m_rx(m_table, text)
    {
        m_rx.setDecoding(isMode(operatingMode, OperatingMode::Qpsk) ? PskReceiver::Decoding::Qpsk
                                                                    : PskReceiver::Decoding::Bpsk);
        m_rx.setReverse(o.reverse);
        m_rx.demodulator().reset();
        m_rx.setFrequency(m_hz);
    }
    void process(std::span<const int16_t> block) override { m_rx.process(block); }
    void afcStep() override
    {
        const auto retune =
            engine::AfcStep({m_mode, m_afc, false, m_hz, m_rx.driftIndicator(), m_rx.jitterIndicator()});
        if (!retune) return;
        m_hz = retune->receiveHz;
        m_rx.setFrequency(m_hz);
        m_rx.setDriftIndicator(retune->driftIndicator);
    }

private:
    int m_mode;
    bool m_afc;
    double m_hz;
    engine::SineTable m_table;
    PskReceiver m_rx;
};

// RTTY at kCentiBaud / 100 Bd, through the matched-filter receiver or the discriminator
// one; the frequency is the centre between mark and space, mark on the upper tone unless
// reversed. No AFC in RTTY.
template <int kCentiBaud>
class RttyModeReceiver final : public ModeReceiver {
public:
    RttyModeReceiver(int, const RxOptions& o, engine::TextSink& text)
        : m_matched(o.matchedRtty), m_rx(m_table)
    {
        configure(m_rx, o, text);
        configure(m_matchedRx, o, text);
    }
    void process(std::span<const int16_t> block) override
    {
        if (m_matched) {
            m_matchedRx.processBlock(block);
        } else {
            m_rx.processBlock(block);
        }
    }
    // Both hold the last character of a recording until they see what follows it.
    void finish() override
    {
        if (m_matched) {
            m_matchedRx.endOfInput();
        } else {
            m_rx.endOfInput();
        }
    }

private:
    template <class Receiver>
    static void configure(Receiver& rx, const RxOptions& o, engine::TextSink& text)
    {
        rx.setSymbolRate(kCentiBaud / 100.0);
        rx.setPolarity(o.reverse ? 1 : 0);
        rx.decoder().setUnshiftOnSpace(!o.keepShift);
        rx.decoder().setTextSink(&text);
        rx.reset();
        rx.setFrequency(o.frequencyHz);
    }

    bool m_matched;
    engine::SineTable m_table;
    engine::RttyDemodulator m_rx;
    engine::RttyMatchedDemodulator m_matchedRx;
};

// FSK31: the bits go through a decoder selector to the varicode decoder, as in the
// application; the AFC follows the demodulator's published correction.
class Fsk31ModeReceiver final : public ModeReceiver {
public:
    Fsk31ModeReceiver(int, const RxOptions& o, engine::TextSink& text)
        : m_afc(o.afc), m_hz(o.frequencyHz), m_varicode(&text), m_selector(&m_varicode), m_rx(m_table)
    {
        m_rx.setSink(&m_selector);
        m_rx.reset();
        m_rx.setPublishedCorrection(0);
        m_rx.setFrequency(m_hz);
    }
    void process(std::span<const int16_t> block) override { m_rx.processBlock(block); }
    void afcStep() override
    {
        const auto retune = engine::AfcStep(
            {modeNumber(OperatingMode::Fsk31), m_afc, false, m_hz, m_rx.publishedCorrection(), 0});
        if (!retune) return;
        m_hz = retune->receiveHz;
        m_rx.setFrequency(m_hz);
        m_rx.setPublishedCorrection(retune->driftIndicator);
    }

private:
    bool m_afc;
    double m_hz;
    engine::SineTable m_table;
    engine::VaricodeDecoder m_varicode;
    engine::DecoderSelector m_selector;
    engine::Fsk31Demodulator m_rx;
};

struct RxMode {
    std::string_view name;
    int operatingMode;
    std::unique_ptr<ModeReceiver> (*make)(int mode, const RxOptions&, engine::TextSink&);
};

template <class Receiver>
std::unique_ptr<ModeReceiver> make(int mode, const RxOptions& o, engine::TextSink& text)
{
    return std::make_unique<Receiver>(mode, o, text);
}

constexpr std::array kModes = {
    RxMode{"psk31", modeNumber(OperatingMode::Psk31), make<PskModeReceiver>},
    RxMode{"qpsk", modeNumber(OperatingMode::Qpsk), make<PskModeReceiver>},
    RxMode{"rtty", modeNumber(OperatingMode::Rtty), make<RttyModeReceiver<4545>>},
    RxMode{"rtty100", modeNumber(OperatingMode::Rtty), make<RttyModeReceiver<10000>>},
    RxMode{"fsk31", modeNumber(OperatingMode::Fsk31), make<Fsk31ModeReceiver>},
};

const RxMode* findMode(std::string_view name)
{
    for (const auto& m : kModes)
        if (m.name == name) return &m;
    return nullptr;
}

std::optional<double> parseHz(std::string_view text)
{
    double v = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

int usageError(const char* message, const char* arg = nullptr)
{
    std::fprintf(stderr, "vexa-modem rx: %s%s%s\n", message, arg ? " " : "", arg ? arg : "");
    std::fputs(
        "usage: vexa-modem rx --mode psk31|qpsk|rtty|rtty100|fsk31 [--freq HZ] [--reverse] [--afc]\n"
        "                     [--keep-shift] [--rtty-decoder matched|discriminator] FILE|-\n",
        stderr);
    return 2;
}

void run(ModeReceiver& rx, std::span<const int16_t> samples)
{
    for (std::size_t at = 0; at < samples.size(); at += kBlockSamples) {
        rx.process(samples.subspan(at, std::min(kBlockSamples, samples.size() - at)));
        rx.afcStep();
        std::fflush(stdout);
    }
}

// Standard input: raw 16-bit little-endian mono at 11025 Hz, decoded as it arrives; or, if
// it starts with a RIFF header, a whole WAV read into memory and converted.
int runStdin(ModeReceiver& rx)
{
    std::vector<unsigned char> head(4);
    const std::size_t got = std::fread(head.data(), 1, head.size(), stdin);
    head.resize(got);
    if (got == 4 && std::memcmp(head.data(), "RIFF", 4) == 0) {
        std::vector<unsigned char> all = head;
        std::array<unsigned char, 65536> chunk{};
        std::size_t n = 0;
        while ((n = std::fread(chunk.data(), 1, chunk.size(), stdin)) > 0)
            all.insert(all.end(), chunk.begin(), chunk.begin() + static_cast<long>(n));
        auto audio = engine::readAudioMemory(all, "standard input");
        if (!audio.ok()) {
            std::fprintf(stderr, "vexa-modem rx: %s\n", audio.message.c_str());
            return 1;
        }
        run(rx, audio.samples);
        rx.finish();
        std::fflush(stdout);
        return 0;
    }

    std::vector<unsigned char> bytes = head;
    std::vector<int16_t> block;
    block.reserve(kBlockSamples);
    std::array<unsigned char, engine::kInputBlockBytes> buffer{};
    for (;;) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), stdin);
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + static_cast<long>(n));
        const std::size_t whole = bytes.size() / 2;
        block.clear();
        for (std::size_t k = 0; k < whole; ++k)
            block.push_back(static_cast<int16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8)));
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<long>(2 * whole));
        if (!block.empty()) run(rx, block);
        if (n == 0) break;
    }
    if (std::ferror(stdin)) {
        std::fputs("vexa-modem rx: error reading standard input\n", stderr);
        return 1;
    }
    rx.finish();
    std::fflush(stdout);
    return 0;
}

}  // namespace

int runRx(int argc, char** argv)
{
    const std::span<char* const> args(argv + 2, static_cast<std::size_t>(std::max(argc - 2, 0)));
    const RxMode* mode = nullptr;
    RxOptions options;
    const char* input = nullptr;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string_view a = args[k];
        if (a == "--mode" || a == "--freq" || a == "--rtty-decoder") {
            if (k + 1 >= args.size()) return usageError("missing value after", args[k]);
            const char* value = args[++k];
            if (a == "--mode") {
                mode = findMode(value);
                if (mode == nullptr) return usageError("unknown mode", value);
            } else if (a == "--rtty-decoder") {
                const std::string_view v = value;
                if (v != "matched" && v != "discriminator")
                    return usageError("--rtty-decoder must be matched or discriminator, not", value);
                options.matchedRtty = v == "matched";
            } else {
                const auto hz = parseHz(value);
                if (!hz || *hz <= 0.0 || *hz >= engine::WaveFormat::kSampleRate / 2.0)
                    return usageError("frequency must be a number of Hz between 0 and 5512.5, not", value);
                options.frequencyHz = *hz;
            }
        } else if (a == "--reverse") {
            options.reverse = true;
        } else if (a == "--afc") {
            options.afc = true;
        } else if (a == "--keep-shift") {
            options.keepShift = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("unknown option", args[k]);
        } else if (input != nullptr) {
            return usageError("more than one input:", args[k]);
        } else {
            input = args[k];
        }
    }
    if (mode == nullptr) return usageError("--mode is required");
    if (input == nullptr) return usageError("no input file (use - for standard input)");

    StdoutSink out;
    auto rx = mode->make(mode->operatingMode, options, out);
    if (std::string_view(input) == "-") return runStdin(*rx);

    const auto audio = engine::readAudioFile(input);
    if (!audio.ok()) {
        std::fprintf(stderr, "vexa-modem rx: %s\n", audio.message.c_str());
        return 1;
    }
    run(*rx, audio.samples);
    rx->finish();
    std::fflush(stdout);
    return 0;
}

}  // namespace vexa::tools
