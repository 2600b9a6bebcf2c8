// Where a logged contact goes besides the worked-call list: the country's worked-status
// tables (`RecordWorked`). The country module implements it; the log only calls it.
#pragma once

#include <string_view>

namespace vexa::log {

class ContactRecorder {
public:
    virtual ~ContactRecorder() = default;
    virtual void RecordWorked(std::string_view call, int frequencyHz, std::string_view modeText) = 0;
};

}  // namespace vexa::log
