// The worked-before and new-country alert.
#include "log/worked_alert.h"

#include "common/band_plan.h"

namespace vexa::log {

int OperatingModeClass(OperatingMode mode) noexcept
{
    if (mode == OperatingMode::Cw) return 0;
    if (mode == OperatingMode::Usb || mode == OperatingMode::Lsb || mode == OperatingMode::Ssb) return 1;
    return 2;
}

std::string ComputeAlert(std::string_view call, int countryIndex, int signalFrequencyHz, OperatingMode mode,
                         const WorkedCalls& worked, const WorkedTablesView* tables)
{
    std::string text;
    const int band = FindBand(signalFrequencyHz);
    if (band < 0) return text;
    const int modeClass = OperatingModeClass(mode);
    const WorkedBefore r = worked.check(call, band, modeClass);
    if (r == WorkedBefore::SameBandAndMode) return std::string(kQsoBefore);
    if (r == WorkedBefore::OtherBandOrMode) text = kOtherBandOrMode;
    if (countryIndex < 0 || tables == nullptr) return text;

    if (tables->countryMask(WorkedTablesView::kAllBands, countryIndex) == 0) return std::string(kNewCountry);
    const std::uint32_t m = tables->countryMask(band, countryIndex);
    if (modeClass == 0 && (m & 0x01) == 0) text += "\r\nNew country for CW";
    if (modeClass == 1 && (m & 0x02) == 0) text += "\r\nNew country for SSB";
    if (modeClass == 2 && m < 4) text += "\r\nNew country for DIGITAL";
    return text;
}

}  // namespace vexa::log
