// vexa-modem tx --mode psk31|qpsk|fsk31|rtty|rtty100 [--freq HZ] [--cwid CALL] [--reverse]
//                [--level DB] TEXT OUT.wav
// Runs the transmit path exactly as a transmission does - lead-in, text, end, tail - over
// an in-memory sound card and writes what would have been played.
#include "tx_command.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "common/operating_mode.h"
#include "engine/audio/audio_file.h"
#include "engine/rx/varicode_table.h"
#include "engine/tx/memory_transmit_audio.h"
#include "engine/tx/string_transmit_source.h"
#include "engine/tx/transmit_level.h"
#include "engine/tx/transmit_machine.h"

namespace vexa::tools {
namespace {

using engine::TransmitMachine;

constexpr const char* kUsage =
    "usage: vexa-modem tx --mode psk31|qpsk|fsk31|rtty|rtty100 [--freq HZ] [--cwid CALL] [--reverse]\n"
    "                      [--level DB] TEXT OUT.wav\n"
    "       TEXT \"-\" reads the text from standard input; OUT.wav \"-\" writes to standard output.\n"
    "       --freq: audio frequency (PSK: carrier, RTTY/FSK31: centre), default 1000 Hz.\n"
    "       --cwid: end with the call sign in Morse (PSK31, QPSK, FSK31).\n"
    "       --reverse: QPSK with the quarter turns the other way; RTTY with mark on the lower tone.\n"
    "       --level: transmit level in dB below full scale, 0 (default) down to -40.\n";

struct ModeChoice {
    OperatingMode mode;
    double rttyBaud;
};

std::optional<ModeChoice> parseMode(const std::string& name)
{
    if (name == "psk31" || name == "psk") return ModeChoice{OperatingMode::Psk31, 0};
    if (name == "qpsk") return ModeChoice{OperatingMode::Qpsk, 0};
    if (name == "fsk31") return ModeChoice{OperatingMode::Fsk31, 0};
    if (name == "rtty") return ModeChoice{OperatingMode::Rtty, 45.45};
    if (name == "rtty100") return ModeChoice{OperatingMode::Rtty, 100.0};
    return std::nullopt;
}

// A value the command cannot use: the message, exit status 2.
int badValue(const std::string& message)
{
    std::fprintf(stderr, "vexa-modem tx: %s\n", message.c_str());
    return 2;
}

}  // namespace

int runTx(int argc, char** argv)
{
    std::optional<ModeChoice> mode;
    double freq = 1000.0;
    std::string cwid;
    bool reverse = false;
    int levelDb = 0;
    std::string positional[2];
    int npos = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "vexa-modem tx: %s needs a value\n", what);
                return nullptr;
            }
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--mode") {
            const char* v = value("--mode");
            if (v == nullptr) return 2;
            mode = parseMode(v);
            if (!mode)
                return badValue("unknown mode '" + std::string(v) + "' (psk31, qpsk, fsk31, rtty, rtty100)");
        } else if (arg == "--freq") {
            const char* v = value("--freq");
            if (v == nullptr) return 2;
            char* end = nullptr;
            freq = std::strtod(v, &end);
            if (end == v || *end != '\0' || !(freq >= 100.0 && freq <= 5000.0))
                return badValue("--freq '" + std::string(v) + "' is not a frequency from 100 to 5000 Hz");
        } else if (arg == "--cwid") {
            const char* v = value("--cwid");
            if (v == nullptr) return 2;
            cwid = v;
        } else if (arg == "--level") {
            const char* v = value("--level");
            if (v == nullptr) return 2;
            char* end = nullptr;
            const long db = std::strtol(v, &end, 10);
            if (end == v || *end != '\0' || db < engine::TransmitLevel::kMinDb ||
                db > engine::TransmitLevel::kMaxDb) {
                std::fprintf(stderr,
                             "vexa-modem tx: --level '%s' is not a whole number of dB from -40 to 0\n", v);
                return 2;
            }
            levelDb = static_cast<int>(db);
        } else if (arg == "--reverse") {
            reverse = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            std::fprintf(stderr, "vexa-modem tx: unknown option '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        } else if (npos < 2) {
            positional[npos++] = arg;
        } else {
            std::fprintf(stderr, "vexa-modem tx: too many arguments\n%s", kUsage);
            return 2;
        }
    }
    if (!mode || npos != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!cwid.empty() && mode->mode == OperatingMode::Rtty) {
        std::fputs("vexa-modem tx: --cwid works in psk31, qpsk and fsk31 only\n", stderr);
        return 2;
    }

    std::string text = positional[0];
    if (text == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        if (std::cin.bad()) {
            std::fputs("vexa-modem tx: cannot read the text from standard input\n", stderr);
            return 1;
        }
    }
    // 174 and 169 are the transmit path's own control codes: inside the text they would
    // end the transmission early or start an identification.
    for (char& c : text)
        if (static_cast<unsigned char>(c) == TransmitMachine::kEndOfTransmission ||
            static_cast<unsigned char>(c) == TransmitMachine::kCwIdRequest)
            c = ' ';
    if (!cwid.empty()) text.push_back(static_cast<char>(TransmitMachine::kCwIdRequest));

    engine::SineTable table;
    engine::MemoryTransmitAudio audio;
    engine::TransmitLevel level;
    level.setDb(levelDb);
    engine::LevelledTransmitAudio levelled(audio, level);
    engine::RecordingKeyLine key;
    // RTTY: two idle LTRS after the text, so that the receiver sees the last stop bit end.
    engine::StringTransmitSource source(text, mode->mode == OperatingMode::Rtty ? 2 : 0);
    TransmitMachine machine(table, levelled, key, source);
    machine.setVaricode(engine::kVaricodeTable);
    machine.setMode(mode->mode, mode->rttyBaud);
    machine.setFrequency(freq);
    machine.setCallSign(cwid);
    machine.setQpskInverted(reverse);
    machine.setRttyPolarity(reverse ? 1 : 0);

    // A transmission of the whole text plus lead-in and tail; the guard only stops a
    // runaway (the text runs out, so the end always comes).
    const std::size_t guard = (text.size() + 100) * 11025 * 2;
    const std::vector<int16_t> samples = engine::renderTransmission(machine, audio, guard);
    if (machine.active()) {
        std::fputs("vexa-modem tx: the transmission did not end\n", stderr);
        return 1;
    }
    const engine::AudioWriteResult written = engine::writeWaveFile(positional[1], samples);
    if (!written.ok()) {
        std::fprintf(stderr, "vexa-modem tx: %s\n", written.message.c_str());
        return 1;
    }
    return 0;
}

}  // namespace vexa::tools
