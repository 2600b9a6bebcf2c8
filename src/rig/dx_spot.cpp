// Spot lines and the mode a spot is tuned in.
#include "rig/dx_spot.h"

#include <limits>

#include "common/band_plan.h"

namespace vexa::rig {

namespace {

// The spotter's call at column 0, the kHz with one decimal ending at column 16 (digits
// left of column 11 belong to it too), the UTC time at 18-21, the DX call from 23 and the
// comment from 34:
//   "DL1ABC    14070.5 1234 JA1XYZ     RTTY cq"
constexpr std::size_t kMinimumLength = 25;
constexpr std::size_t kCallColumn = 23;
constexpr std::size_t kCommentColumn = 34;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isCallChar(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/';
}

}  // namespace

std::optional<DxSpot> ParseSpotLine(std::string_view line)
{
    if (line.size() < kMinimumLength || !isCallChar(line[0])) return std::nullopt;
    for (std::size_t i : {11u, 12u, 13u, 14u, 16u, 18u, 19u, 20u, 21u}) {
        if (!isDigit(line[i])) return std::nullopt;
    }
    if (line[15] != '.' || line[17] != ' ' || line[22] != ' ') return std::nullopt;
    if (!isCallChar(line[23]) || !isCallChar(line[24])) return std::nullopt;

    // The kHz read backwards from column 14 over the digits. Microwave spots (10 GHz and
    // up) do not fit the int dial frequency of the transceiver and are not spots to tune.
    long long khz = 0;
    long long weight = 1;
    for (std::size_t i = 15; i-- > 0 && isDigit(line[i]);) {
        khz += (line[i] - '0') * weight;
        weight *= 10;
        if (weight > 100000000LL) return std::nullopt;
    }
    const long long hz = khz * 1000 + 100 * (line[16] - '0');
    if (hz > std::numeric_limits<int>::max()) return std::nullopt;
    DxSpot spot;
    spot.frequencyHz = static_cast<int>(hz);
    std::size_t end = kCallColumn;
    while (end < line.size() && isCallChar(line[end])) ++end;
    spot.call.assign(line.substr(kCallColumn, end - kCallColumn));
    if (line.size() > kCommentColumn) spot.comment.assign(line.substr(kCommentColumn));
    return spot;
}

SpotTuning TuningForSpot(int frequencyHz)
{
    const int band = FindBand(frequencyHz);
    if (band < 0) return {};
    const BandEntry& b = kBandPlan[static_cast<std::size_t>(band)];
    const int khz = frequencyHz / 1000;
    if (b.ssbStart != kNoSegment && khz >= b.ssbStart) {
        return khz <= 10000 ? SpotTuning{OperatingMode::Lsb, 0} : SpotTuning{OperatingMode::Usb, -200};
    }
    if (b.digitalLow != kNoSegment && khz >= b.digitalLow && khz <= b.digitalHigh)
        return {OperatingMode::Rtty, 700};
    return {OperatingMode::Cw, 0};
}

}  // namespace vexa::rig
