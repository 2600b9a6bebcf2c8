// The fading test's table dialog ("Dialog"): four rows "1" to "4", each with the period "T"
// in seconds and the depth "A" of one fading term.
#pragma once

#include <optional>

#include "app/fading_test_commands.h"

class QWidget;

namespace vexa::app::qt {

// Runs the dialog modally over `terms`; the edited terms on OK, nullopt on Cancel.
std::optional<FadingTerms> runFadingTestDialog(QWidget* parent, const FadingTerms& terms);

}  // namespace vexa::app::qt
