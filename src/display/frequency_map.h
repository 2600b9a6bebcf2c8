// The frequency map beside the receive window: a kilohertz scale around the dial, the band
// plan's segment edges, the passband of the voice modes and the labels of the frequency
// marks, laid out as data (testable) and then drawn into an indexed image the window shows.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "common/frequency_marks.h"
#include "common/operating_mode.h"
#include "display/indexed_image.h"

namespace vexa::display {

inline constexpr uint8_t kFrequencyMapBackground = 0;  // light grey
inline constexpr uint8_t kFrequencyMapInk = 1;         // black

struct FrequencyMapGeometry {
    int width = 110;
    int height = 400;
    int x0 = 36;            // the scale line
    int pixelsPerKhz = 10;  // frequency grows downward
    int textHalfHeight = 4;
};

// Where the dial stands on the scale: its kilohertz and the pixel offset within it.
class FrequencyMapDial {
public:
    // True when the map must be redrawn: forced, or the dial moved to another pixel. A dial
    // of 0 (no transceiver frequency yet) changes nothing.
    bool update(int dialHz, int pixelsPerKhz, bool force);
    int khz() const noexcept { return m_khz; }
    int offset() const noexcept { return m_offset; }

private:
    int m_khz = 0;
    int m_offset = 0;
};

struct MapText {
    int y;  // the centre line of the text
    std::string text;
    int x;
};

struct FrequencyMapLayout {
    int yc = 0;  // the dial pointer
    long long lowestHz = 0;
    long long highestHz = 0;
    std::vector<int> tickYs;
    std::vector<MapText> texts;                   // scale numbers, band plan labels, mark labels
    std::optional<std::pair<int, int>> passband;  // top and bottom y
    int nearestMark = -1;                         // slot within 300 Hz of the dial, or -1
};

// A mark's label as drawn: "n:label" for the operator's slots, the logged contacts ("+"
// labels) with their age (" *" under 10 minutes, " =" under 20, " +" under 60, " -" after),
// " :label" otherwise.
std::string markLabel(int slot, const FrequencyMark& mark, std::time_t now);

// signalHz: the dial as the map shows it (the signal frequency).
FrequencyMapLayout layoutFrequencyMap(const FrequencyMapGeometry& g, const FrequencyMapDial& dial,
                                      int signalHz, OperatingMode operatingMode, const FrequencyMarks& marks,
                                      std::time_t now);
void drawFrequencyMap(const FrequencyMapLayout& layout, const FrequencyMapGeometry& g, IndexedImage& image);

// The mark text of the main window follows the nearest mark, and changes only with it.
struct MarkText {
    std::string text;  // empty: no mark near the dial
    bool highlight = false;
};

class NearestMarkText {
public:
    // The new text when the nearest mark changed, nothing otherwise.
    std::optional<MarkText> update(int nearestSlot, const FrequencyMarks& marks);

private:
    int m_slot = -1;
};

}  // namespace vexa::display
