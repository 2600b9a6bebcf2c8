// The program's version string, shown in the window caption and the About box.
#pragma once

#include <string_view>

namespace vexa {

extern const std::string_view kVersionString;

}  // namespace vexa
