#include "common/frequency_marks.h"

#include <cstdlib>

namespace vexa {
namespace {

int nextRingSlot(int slot)
{
    return slot >= FrequencyMarks::kSlots - 1 ? FrequencyMarks::kFirstRingSlot : slot + 1;
}

}  // namespace

bool FrequencyMarks::shown(const FrequencyMark& mark, std::time_t now)
{
    if (mark.frequency == 0 || mark.label.empty()) return false;
    const auto first = static_cast<unsigned char>(mark.label[0]);
    return first > ' ' || now - mark.time < kStaleSeconds;
}

void FrequencyMarks::clearNear(int hz)
{
    for (FrequencyMark& m : m_slots)
        if (m.frequency != 0 && std::abs(m.frequency - hz) < kNearHz) m.frequency = 0;
}

int FrequencyMarks::markHere(int hz, std::optional<OperatingMode> mode, std::time_t now, std::string label,
                             std::string text)
{
    clearNear(hz);
    m_ringIndex = nextRingSlot(m_ringIndex);
    m_slots[static_cast<std::size_t>(m_ringIndex)] = {hz, mode, now, std::move(label), std::move(text)};
    return m_ringIndex;
}

int FrequencyMarks::takeQsoSlot()
{
    const int slot = m_ringIndex;
    m_ringIndex = nextRingSlot(m_ringIndex);
    return slot;
}

std::optional<int> FrequencyMarks::step(int dialHz, bool next, std::time_t now) const
{
    int start = -1;
    int best = 0;
    for (int i = 0; i < kSlots; ++i) {
        const FrequencyMark& m = m_slots[static_cast<std::size_t>(i)];
        if (m.frequency == 0) continue;
        const int d = std::abs(m.frequency - dialHz);
        if (d < kNearHz && (start < 0 || d < best)) start = i, best = d;
    }
    if (start < 0) {
        // Nothing at the dial: begin at the nearest mark below it (next) or above it.
        for (int i = 0; i < kSlots; ++i) {
            const FrequencyMark& m = m_slots[static_cast<std::size_t>(i)];
            if (m.frequency == 0 || (next ? m.frequency >= dialHz : m.frequency <= dialHz)) continue;
            const int d = std::abs(m.frequency - dialHz);
            if (start < 0 || d < best) start = i, best = d;
        }
    }
    if (start < 0) return std::nullopt;
    int i = start;
    for (int n = 0; n < kSlots; ++n) {
        i = next ? (i + 1) % kSlots : (i + kSlots - 1) % kSlots;
        if (shown(m_slots[static_cast<std::size_t>(i)], now)) return i;
    }
    return std::nullopt;
}

void FrequencyMarks::clearFrequencies()
{
    for (FrequencyMark& m : m_slots) m.frequency = 0;
}

}  // namespace vexa
