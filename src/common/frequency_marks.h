// The frequency marks: 100 slots of frequencies worth coming back to. Slots 0 to 9 are the
// operator's own (Ctrl+1 .. Ctrl+0), 10 to 99 a ring of logged contacts and marks made
// with Alt+Insert. The frequency map draws them; the mark keys step through them.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>

#include "common/operating_mode.h"

namespace vexa {

struct FrequencyMark {
    int frequency = 0;                  // signal frequency, Hz; 0 = empty slot
    std::optional<OperatingMode> mode;  // when marked; none: a logged contact of an unknown mode
    std::time_t time = 0;
    std::string label;  // drawn on the map; "+" and the call for a logged contact
    std::string text;   // shown while the dial is on the mark (the entry line when logged)
};

class FrequencyMarks {
public:
    static constexpr int kSlots = 100;
    static constexpr int kFirstRingSlot = 10;
    static constexpr int kNearHz = 300;
    static constexpr std::time_t kStaleSeconds = 2 * 60 * 60;

    FrequencyMark& operator[](int slot) { return m_slots[static_cast<std::size_t>(slot)]; }
    const FrequencyMark& operator[](int slot) const { return m_slots[static_cast<std::size_t>(slot)]; }
    int qsoRingIndex() const noexcept { return m_ringIndex; }

    // Empties every slot less than 300 Hz from hz (Alt+Delete, and before a new mark).
    void clearNear(int hz);
    // Alt+Insert: replaces the marks near hz by a new one in the next ring slot (the ring
    // index advances first, so slots 0 to 9 are never taken). Returns the slot.
    int markHere(int hz, std::optional<OperatingMode> mode, std::time_t now, std::string label,
                 std::string text);
    // A logged contact takes the slot at the ring index, then the index advances.
    int takeQsoSlot();
    // Alt+Page Down (next) and Alt+Page Up: the slot to go to, if any.
    std::optional<int> step(int dialHz, bool next, std::time_t now) const;
    // At start-up: the frequencies go, the texts stay.
    void clearFrequencies();

    // Drawn on the map: a frequency and a label, and a label starting with a space or a
    // control character only while it is younger than two hours.
    static bool shown(const FrequencyMark& mark, std::time_t now);

private:
    std::array<FrequencyMark, kSlots> m_slots{};
    int m_ringIndex = kFirstRingSlot;
};

}  // namespace vexa
