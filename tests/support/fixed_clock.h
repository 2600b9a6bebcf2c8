// A Clock that shows a set time, for tests of code that stamps or compares with "now".
#pragma once

#include <ctime>

#include "common/ports.h"

namespace vexa::test {

class FixedClock : public Clock {
public:
    explicit FixedClock(std::time_t t) : value(t) {}
    std::time_t now() const override { return value; }
    std::time_t value;
};

}  // namespace vexa::test
