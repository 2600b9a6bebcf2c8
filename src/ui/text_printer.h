// Prints the text of a text window: the print dialog that asks for the printer and the range,
// and the rendering of that range onto as many pages as it needs.
#pragma once

#include <optional>

class QPrinter;
class QTextEdit;
class QWidget;

namespace vexa::ui {

enum class PrintRange { AllText, Selection };

// The system print dialog on `printer`, owned by `owner`: no page numbers to choose, the
// selection offered and preselected when `hasSelection`, all text otherwise. nullopt when the
// operator cancels (or the dialog fails).
std::optional<PrintRange> askPrintRange(QPrinter& printer, bool hasSelection, QWidget* owner);

// Renders the range of `edit` on `printer`, keeping the text's formats, starting a new page
// where the previous one is full. The pages hold nothing beyond the range. False when the
// printer cannot be started.
bool printText(const QTextEdit& edit, PrintRange range, QPrinter& printer);

}  // namespace vexa::ui
