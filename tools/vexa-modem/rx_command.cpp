// vexa-modem rx: audio in, decoded characters out, through the engine's receive loop as the
// application runs it (blocks of 2048 samples, one AFC step after each).
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "common/operating_mode.h"
#include "engine/audio/audio_file.h"
#include "engine/audio/wave_header.h"
#include "engine/dsp/sine_table.h"
#include "engine/rx/mode_receiver.h"
#include "engine/rx/text_sink.h"

namespace vexa::tools {
namespace {

constexpr std::size_t kBlockSamples = engine::kInputBlockBytes / 2;

struct RxOptions {
    double frequencyHz = 1000.0;
    bool reverse = false;
    bool afc = false;
    bool keepShift = false;                                          // RTTY: figures stay after a space
    engine::RttyDecoder rttyDecoder = engine::RttyDecoder::Matched;  // as the application's default
};

// Characters go to stdout the moment they are decoded, bytes unchanged (NUL included).
class StdoutSink final : public engine::TextSink {
public:
    void put(int, int character) override { std::fputc(static_cast<unsigned char>(character), stdout); }
};

struct RxMode {
    std::string_view name;
    OperatingMode mode;
    double rttyBaud;  // RTTY only
};

constexpr std::array kModes = {
    RxMode{"psk31", OperatingMode::Psk31, 0.0}, RxMode{"qpsk", OperatingMode::Qpsk, 0.0},
    RxMode{"rtty", OperatingMode::Rtty, 45.45}, RxMode{"rtty100", OperatingMode::Rtty, 100.0},
    RxMode{"fsk31", OperatingMode::Fsk31, 0.0},
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

// The engine's receive loop, in sound-card sized blocks as the application runs it.
void run(engine::ModeReceiver& rx, std::span<const int16_t> samples)
{
    for (std::size_t at = 0; at < samples.size(); at += kBlockSamples) {
        rx.receive(samples.subspan(at, std::min(kBlockSamples, samples.size() - at)), false);
        std::fflush(stdout);
    }
}

// A whole recording: decoded to its end, or the reason it is not audio (exit status 1).
int decodeRecording(engine::ModeReceiver& rx, const engine::AudioReadResult& audio)
{
    if (!audio.ok()) {
        std::fprintf(stderr, "vexa-modem rx: %s\n", audio.message.c_str());
        return 1;
    }
    run(rx, audio.samples);
    rx.endOfInput();
    std::fflush(stdout);
    return 0;
}

// RTTY: the frequency is the centre between mark and space, mark on the upper tone unless
// reversed. QPSK reversed: read from the other sideband.
void configure(engine::ModeReceiver& rx, const RxMode& mode, const RxOptions& o)
{
    rx.setMode(mode.mode);
    if (mode.mode == OperatingMode::Rtty) rx.setRttySymbolRate(mode.rttyBaud);
    rx.setRttyDecoder(o.rttyDecoder);
    rx.setRttyPolarity(o.reverse ? 1 : 0);
    rx.setRttyUnshiftOnSpace(!o.keepShift);
    rx.setReverse(o.reverse);
    rx.setAfc(o.afc);
    rx.setFrequency(o.frequencyHz);
}

// Standard input: raw 16-bit little-endian mono at 11025 Hz, decoded as it arrives; or, if
// it starts with a RIFF header, a whole WAV read into memory and converted.
int runStdin(engine::ModeReceiver& rx)
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
        return decodeRecording(rx, engine::readAudioMemory(all, "standard input"));
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
    rx.endOfInput();
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
                options.rttyDecoder =
                    v == "matched" ? engine::RttyDecoder::Matched : engine::RttyDecoder::Discriminator;
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
    engine::TextSink noSecondChannel;
    const engine::SineTable table;
    engine::ModeReceiver rx(table, out, noSecondChannel);
    configure(rx, *mode, options);
    if (std::string_view(input) == "-") return runStdin(rx);

    return decodeRecording(rx, engine::readAudioFile(input));
}

}  // namespace vexa::tools
