#include "rig_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

namespace vexa::tools {

const char* const kRigUsage =
    "usage: vexa-rig --type ic735|ft990|ts850|hamlib --device PATH|HOST:PORT [--baud N]\n"
    "                [--ptt rts|dtr|cat] COMMAND\n"
    "  freq HZ                     tune the radio to HZ\n"
    "  mode LSB|USB|CW|RTTY|AM|FM  set the radio's mode\n"
    "  get-freq                    print the radio's frequency in Hz\n"
    "  ptt on|off                  key or unkey the transmitter (on RTS or DTR it stays\n"
    "                              keyed until vexa-rig is interrupted)\n"
    "  monitor                     print what the radio reports until interrupted\n"
    "--baud defaults to 1200 for ic735, 4800 for ft990 and ts850; --device of hamlib is\n"
    "rigctld's address (default localhost:4532). --ptt defaults to cat, rts for ic735.\n"
    "Exit status: 0 done, 1 no answer or refused, 2 bad usage.\n";

namespace {

ParsedOptions fail(int status, std::string message)
{
    return {std::nullopt, status, std::move(message)};
}

std::optional<long long> positive(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const std::string s(text);
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v <= 0) return std::nullopt;
    return v;
}

// The value a word names in a table of {word, value}.
template <class T, std::size_t N>
std::optional<T> named(std::string_view word, const std::pair<std::string_view, T> (&table)[N])
{
    for (const auto& [name, value] : table) {
        if (name == word) return value;
    }
    return std::nullopt;
}

constexpr std::pair<std::string_view, rig::TransceiverType> kTypes[] = {
    {"ic735", rig::TransceiverType::Ic735},
    {"ft990", rig::TransceiverType::Ft990},
    {"ts850", rig::TransceiverType::Ts850},
    {"hamlib", rig::TransceiverType::Hamlib}};
constexpr std::pair<std::string_view, rig::PttMethod> kPttMethods[] = {
    {"rts", rig::PttMethod::Rts}, {"dtr", rig::PttMethod::Dtr}, {"cat", rig::PttMethod::Cat}};
constexpr std::pair<std::string_view, rig::RadioMode> kModes[] = {
    {"LSB", rig::RadioMode::Lsb},   {"USB", rig::RadioMode::Usb}, {"CW", rig::RadioMode::Cw},
    {"RTTY", rig::RadioMode::Rtty}, {"AM", rig::RadioMode::Am},   {"FM", rig::RadioMode::Fm}};

}  // namespace

ParsedOptions parseRigOptions(int argc, char** argv)
{
    RigOptions o;
    bool pttGiven = false;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        const std::string_view opt = argv[i];
        if (opt == "--help") return fail(0, "");
        if (i + 1 >= argc) return fail(2, std::string(opt) + " needs a value");
        const std::string_view value = argv[++i];
        if (opt == "--type") {
            o.typeName = value;
            const auto type = named(value, kTypes);
            if (!type) return fail(2, "unknown --type '" + std::string(value) + "'");
            o.type = *type;
        } else if (opt == "--device") {
            o.device = value;
        } else if (opt == "--baud") {
            const auto b = positive(value);
            if (!b || *b > 115200) return fail(1, "bad --baud '" + std::string(value) + "'");
            o.baud = static_cast<int>(*b);
        } else if (opt == "--ptt") {
            pttGiven = true;
            const auto ptt = named(value, kPttMethods);
            if (!ptt) return fail(2, "unknown --ptt '" + std::string(value) + "'");
            o.ptt = *ptt;
        } else {
            return fail(2, "unknown option '" + std::string(opt) + "'");
        }
    }
    if (o.type == rig::TransceiverType::None) return fail(2, "--type is missing");
    if (o.device.empty() && o.type != rig::TransceiverType::Hamlib) return fail(2, "--device is missing");
    if (o.baud == 0) o.baud = o.type == rig::TransceiverType::Ic735 ? 1200 : 4800;
    if (!pttGiven && o.type == rig::TransceiverType::Ic735) o.ptt = rig::PttMethod::Rts;
    if (o.type == rig::TransceiverType::Ic735 && o.ptt == rig::PttMethod::Cat)
        return fail(1, "the IC735 cannot be keyed over CI-V; use --ptt rts or dtr");
    if (i >= argc) return fail(2, "COMMAND is missing");

    const std::string_view command = argv[i++];
    const int values = argc - i;
    const std::string_view value = values > 0 ? argv[i] : "";
    if (command == "freq" && values == 1) {
        o.command = RigCommand::Freq;
        const auto hz = positive(value);
        if (!hz || *hz > 2000000000) return fail(1, "bad frequency '" + std::string(value) + "'");
        o.hz = *hz;
    } else if (command == "mode" && values == 1) {
        o.command = RigCommand::Mode;
        const auto mode = named(value, kModes);
        if (!mode) return fail(1, "unknown mode '" + std::string(value) + "' (LSB, USB, CW, RTTY, AM, FM)");
        o.mode = *mode;
    } else if (command == "get-freq" && values == 0) {
        o.command = RigCommand::GetFreq;
    } else if (command == "ptt" && values == 1 && (value == "on" || value == "off")) {
        o.command = RigCommand::Ptt;
        o.pttOn = value == "on";
    } else if (command == "monitor" && values == 0) {
        o.command = RigCommand::Monitor;
    } else {
        return fail(2, "bad command '" + std::string(command) + "'");
    }
    return {o, 0, ""};
}

}  // namespace vexa::tools
