// The time stamp. The frequency mark of the contact and the window's formats are the app's
// part; this decides the text.
#include "log/time_stamp_entry.h"

#include <algorithm>
#include <array>

#include "log/log_record.h"

namespace vexa::log {

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view what)
{
    if (what.empty()) return true;
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::search(text.begin(), text.end(), what.begin(), what.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

}  // namespace

std::string_view StampModeWord(OperatingMode mode) noexcept
{
    // In the order of the modes: the voice modes stamp as SSB, AM as nothing.
    static constexpr std::array<std::string_view, kOperatingModeCount> kWords = {
        "CW", "SSB", "SSB", "SSB", "RTTY", "SSTV", "FAX", "", "FM", "PSK31", "QPSK", "FSK31"};
    return kWords[static_cast<std::size_t>(modeIndex(mode))];
}

StampResult TimeStampEntry(EntryLineState& state, QsoFieldProviders& providers, const StampInputs& inputs,
                           const Clock& clock, const TimeZoneOffset& zone)
{
    StampResult result;
    if ((state.state() & entry_state::kTimeStamped) != 0) return result;
    if (ParseLogRecord(inputs.entryText, nullptr, zone) == ParseResult::Complete) return result;
    state.setState(state.state() | entry_state::kTimeStamped);
    result.call = EntryWord(inputs.entryText, 0);

    const LogTime utc = static_cast<LogTime>(clock.now());
    result.localTime = zone.toLocal(utc);

    std::string frequency = providers.sources().frequencyText ? providers.sources().frequencyText() : "";
    if (frequency.empty()) frequency = providers.frequency();
    std::string mode(StampModeWord(inputs.operatingMode));
    if (mode.empty()) mode = providers.mode();

    const std::string timeText =
        inputs.gmt ? FormatStampTime(utc, true) : FormatStampTime(result.localTime, false);
    result.suffix = " " + timeText + " " + mode + " " + frequency + " " + inputs.freeText + " " +
                    (inputs.satellite ? " RS13" : "");

    QsoFields& f = providers.fields();
    std::string line = inputs.entryText;
    if (!containsIgnoringCase(line, f.name)) line += " " + f.name;
    if (!containsIgnoringCase(line, f.qth)) line += " " + f.qth;
    const std::string rst = providers.rst();  // asked first, then my RST
    const std::string report = providers.myRst() + "/" + rst;
    if (!containsIgnoringCase(line, report)) line += " " + report;
    if (!containsIgnoringCase(line, f.call)) line = f.call + " " + line;

    result.line = std::move(line);
    result.stamped = true;
    if (!result.call.empty()) result.label = "+" + result.call;
    return result;
}

}  // namespace vexa::log
