// The calls logged so far with the bands and mode classes each was worked in, behind the
// "QSO BEFORE" alert. Every band and mode class has its own bit, so a contact on 12 m SSB
// never reads as one on 1.8 MHz CW.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vexa::log {

enum class WorkedBefore : int {
    Never = 0,            // the call is not in the list
    SameBandAndMode = 1,  // worked on this band in this mode class
    OtherBandOrMode = 2,  // worked, but not on this band in this mode class
};

class WorkedCalls {
public:
    // Adds a contact; bandIndex 0..8 (FindBand), modeClass 0..2. Anything else adds nothing.
    void record(std::string_view call, int bandIndex, int modeClass);

    // `WorkedBeforeCheck`: the call compared exactly (case-sensitive).
    WorkedBefore check(std::string_view call, int bandIndex, int modeClass) const;

    // Convenience for a parsed record: band from the frequency, class from the mode text.
    void recordContact(std::string_view call, int frequencyHz, std::string_view modeText);

    void clear() noexcept { m_masks.clear(); }
    std::size_t size() const noexcept { return m_masks.size(); }

    static constexpr int kModeClasses = 3;
    static std::uint32_t bit(int bandIndex, int modeClass) noexcept
    {
        return std::uint32_t{1} << (bandIndex * kModeClasses + modeClass);
    }

private:
    // A hash map rather than the linear list: a scan of 100,000 records stays linear.
    std::unordered_map<std::string, std::uint32_t> m_masks;
};

}  // namespace vexa::log
