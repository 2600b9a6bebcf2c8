// The alert line's text for the call in the entry line: worked before on this band and mode,
// on other terms, or a new country (overall or for the mode group).
#pragma once

#include <string>
#include <string_view>

#include "common/operating_mode.h"
#include "log/worked_calls.h"
#include "log/worked_tables_view.h"

namespace vexa::log {

inline constexpr std::string_view kQsoBefore = "QSO BEFORE";
inline constexpr std::string_view kOtherBandOrMode = "Qso on other band or mode";
inline constexpr std::string_view kNewCountry = "!!!NEW COUNTRY!!!";

// Mode class of an operating mode: 0 for CW, 1 for USB, LSB and SSB (voice keyer), 2 for
// every other mode (AM and FM included).
int OperatingModeClass(OperatingMode mode) noexcept;

// `countryIndex` -1 when the call resolves to no country; `tables` may be null (no country
// data). An empty text clears the alert line.
std::string ComputeAlert(std::string_view call, int countryIndex, int signalFrequencyHz, OperatingMode mode,
                         const WorkedCalls& worked, const WorkedTablesView* tables);

}  // namespace vexa::log
