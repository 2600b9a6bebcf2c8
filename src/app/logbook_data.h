// The logbook's state that outlives one main window: the calls worked so far, the frequency
// marks (the logged contacts take the ring slots), the "QSOs total" of the scan and the
// log window's text.
#pragma once

#include <optional>
#include <string>

#include "common/frequency_marks.h"
#include "log/worked_calls.h"

namespace vexa::app {

struct LogbookData {
    log::WorkedCalls workedCalls;
    FrequencyMarks marks;
    std::optional<int> qsoTotal;  // set once the log has been scanned this run
    std::string logWindowText;    // the lines of the last two days and those saved since
};

}  // namespace vexa::app
