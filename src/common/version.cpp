#include "common/version.h"

namespace vexa {

const std::string_view kVersionString = "Vexa v 1.03/D";

}  // namespace vexa
