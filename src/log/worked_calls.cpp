// Worked-before bookkeeping: one bit per band (0..8) and mode class (CW, SSB, digital).
#include "log/worked_calls.h"

#include "common/band_plan.h"
#include "log/log_record.h"

namespace vexa::log {

namespace {
bool valid(int bandIndex, int modeClass) noexcept
{
    return bandIndex >= 0 && bandIndex < kBandCount && modeClass >= 0 &&
           modeClass < WorkedCalls::kModeClasses;
}
}  // namespace

void WorkedCalls::record(std::string_view call, int bandIndex, int modeClass)
{
    if (!valid(bandIndex, modeClass)) return;
    m_masks[std::string(call)] |= bit(bandIndex, modeClass);
}

WorkedBefore WorkedCalls::check(std::string_view call, int bandIndex, int modeClass) const
{
    const auto it = m_masks.find(std::string(call));
    if (it == m_masks.end()) return WorkedBefore::Never;
    if (valid(bandIndex, modeClass) && (it->second & bit(bandIndex, modeClass)) != 0)
        return WorkedBefore::SameBandAndMode;
    return WorkedBefore::OtherBandOrMode;
}

void WorkedCalls::recordContact(std::string_view call, int frequencyHz, std::string_view modeText)
{
    record(call, FindBand(frequencyHz), ModeClass(modeText));
}

}  // namespace vexa::log
