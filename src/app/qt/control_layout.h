// The controls of the main window and where each layout puts them, in dialog units (a
// quarter of the average character width across, an eighth of the character height down),
// so that both layouts scale with the font as the operator has set it.
#pragma once

#include <span>

#include "app/control_id.h"
#include "app/main_window_template.h"

namespace vexa::app::qt {

enum class ControlKind {
    RichEditLine,  // single-line rich text
    RichEdit,      // multi-line rich text
    ListBox,
    MapPicture,  // 128 x 128 pixel picture that reports clicks
    Spectrum,    // spectrum, waterfall and tuning surface
    FrequencyMap,
    DropList,   // combo box without an edit field
    DropCombo,  // combo box with an edit field
    Button,
    CheckBox,
    Edit,
    Spin,
    Static,
    Label,  // a caption without a command id
    Radio,
    ClickStatic,  // a caption that reports clicks
    Trackbar,
};

// Shown: visible in the window; Outside: visible but beyond the client area (reachable by
// its keys only); Hidden: created invisible.
enum class Placement { Shown, Outside, Hidden };

struct DluRect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct ControlSpec {
    ControlId id;  // None for captions
    ControlKind kind;
    const char* caption;  // nullptr: none
    Placement placement;
    DluRect normal;                      // MainWindowTemplate::Normal
    DluRect large;                       // MainWindowTemplate::Large
    const char* largeCaption = nullptr;  // when the large layout labels it differently
};

struct TemplateSize {
    int w, h;
};

TemplateSize templateSize(MainWindowTemplate layout) noexcept;
std::span<const ControlSpec> mainWindowControls() noexcept;

}  // namespace vexa::app::qt
