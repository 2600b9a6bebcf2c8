// `ShowStatistics`' table: worked countries per band and mode group, and the zone and WAS
// counts, from the worked-status tables.
#pragma once

#include <optional>
#include <string>

#include "log/worked_tables_view.h"

namespace vexa::log {

// `qsoTotal` is given when the log was scanned (it adds the "QSOs total" line).
std::string FormatStatistics(const WorkedTablesView& tables, std::optional<int> qsoTotal);

}  // namespace vexa::log
