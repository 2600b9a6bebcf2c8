#include "app/qt/control_layout.h"

#include <array>

#include "app/main_window_template.h"

namespace vexa::app::qt {

namespace {

using I = ControlId;
using K = ControlKind;
using P = Placement;

// Normal layout (359 x 257): spectrum with the map beside it, two rows of mode and band
// controls, then the text windows across the full width. The large layout (383 x 331)
// has the same order with a taller spectrum and taller text windows.
// Outside controls sit in a column beyond the right edge; hidden ones where they would
// appear if a later version showed them.
constexpr std::array kControls = {
    // The screen's top: tuning display and map, log buttons under the map (the large
    // layout has room for the clock and send in row B).
    ControlSpec{I::Spectrum, K::Spectrum, "&0", P::Shown, {2, 2, 283, 70}, {2, 2, 307, 96}},
    ControlSpec{
        I::FrequencyMap, K::FrequencyMap, "Frequency map", P::Hidden, {2, 62, 283, 10}, {2, 86, 307, 12}},
    ControlSpec{I::MapPicture, K::MapPicture, nullptr, P::Shown, {287, 2, 70, 70}, {311, 2, 70, 70}},
    ControlSpec{I::Save, K::Button, "&Save", P::Shown, {287, 75, 34, 12}, {311, 74, 34, 12}},
    ControlSpec{I::Clear, K::Button, "&Clear", P::Shown, {323, 75, 34, 12}, {347, 74, 34, 12}},
    ControlSpec{I::Time, K::Button, "&Time", P::Shown, {287, 89, 34, 12}, {311, 115, 70, 12}},
    ControlSpec{I::Info, K::Button, "&Info", P::Shown, {233, 89, 25, 12}, {311, 87, 34, 12}},
    ControlSpec{I::Look, K::Button, "&Look", P::Shown, {260, 89, 25, 12}, {347, 87, 34, 12}},

    // Row A: mode and frequency boxes, mode buttons, the four switches (large: and the
    // audio frequency).
    ControlSpec{I::ModeBox, K::DropList, nullptr, P::Shown, {2, 75, 36, 120}, {2, 101, 40, 120}},
    ControlSpec{I::FrequencyBox, K::DropCombo, nullptr, P::Shown, {40, 75, 48, 120}, {44, 101, 64, 120}},
    ControlSpec{I::SsbButton, K::Button, "SSB", P::Shown, {90, 75, 21, 12}, {110, 101, 24, 12}},
    ControlSpec{I::RttyButton, K::Button, "RTTY", P::Shown, {112, 75, 21, 12}, {136, 101, 24, 12}},
    ControlSpec{I::PskButton, K::Button, "PSK", P::Shown, {134, 75, 21, 12}, {162, 101, 24, 12}},
    ControlSpec{I::QpskButton, K::Button, "QPSK", P::Shown, {156, 75, 21, 12}, {188, 101, 24, 12}},
    ControlSpec{I::AudioFrequency, K::Edit, nullptr, P::Shown, {204, 89, 26, 12}, {216, 101, 28, 12}},
    ControlSpec{I::None, K::Label, "Hz", P::Shown, {0, 0, 0, 0}, {246, 103, 12, 8}},
    ControlSpec{I::Afc, K::CheckBox, "afc", P::Shown, {181, 76, 25, 10}, {262, 102, 28, 10}},
    ControlSpec{I::Net, K::CheckBox, "net", P::Shown, {207, 76, 25, 10}, {292, 102, 28, 10}},

    // Row B: band buttons, satellite switch, audio frequency, country and log look-up.
    ControlSpec{I::Band1_8, K::Button, "1.8", P::Shown, {2, 89, 19, 12}, {2, 115, 21, 12}},
    ControlSpec{I::Band3_5, K::Button, "3.5", P::Shown, {22, 89, 19, 12}, {24, 115, 21, 12}},
    ControlSpec{I::Band7, K::Button, "7", P::Shown, {42, 89, 19, 12}, {46, 115, 21, 12}},
    ControlSpec{I::Band10, K::Button, "10", P::Shown, {62, 89, 19, 12}, {68, 115, 21, 12}},
    ControlSpec{I::Band14, K::Button, "14", P::Shown, {82, 89, 19, 12}, {90, 115, 21, 12}},
    ControlSpec{I::Band18, K::Button, "18", P::Shown, {102, 89, 19, 12}, {112, 115, 21, 12}},
    ControlSpec{I::Band21, K::Button, "21", P::Shown, {122, 89, 19, 12}, {134, 115, 21, 12}},
    ControlSpec{I::Band24, K::Button, "24", P::Shown, {142, 89, 19, 12}, {156, 115, 21, 12}},
    ControlSpec{I::Band28, K::Button, "28", P::Shown, {162, 89, 19, 12}, {178, 115, 21, 12}},
    ControlSpec{I::SatelliteSwitch, K::Button, "RS", P::Shown, {182, 89, 19, 12}, {200, 115, 21, 12}},
    ControlSpec{I::Send, K::Button, "Send", P::Shown, {323, 89, 34, 12}, {226, 115, 30, 12}},
    ControlSpec{I::Spec, K::CheckBox, "spc", P::Shown, {233, 76, 25, 10}, {322, 102, 30, 10}, "spec"},
    ControlSpec{I::Inv, K::CheckBox, "inv", P::Shown, {259, 76, 26, 10}, {354, 102, 27, 10}},

    // The text windows.
    ControlSpec{I::ReceiveWindow, K::RichEdit, nullptr, P::Shown, {2, 104, 355, 70}, {2, 130, 379, 96}},
    ControlSpec{I::DxList, K::ListBox, nullptr, P::Hidden, {2, 104, 355, 70}, {2, 130, 379, 96}},
    ControlSpec{I::AlertLine, K::RichEdit, nullptr, P::Shown, {2, 176, 355, 11}, {2, 228, 379, 11}},
    ControlSpec{I::KeyboardWindow, K::RichEdit, nullptr, P::Shown, {2, 189, 355, 30}, {2, 241, 379, 38}},
    ControlSpec{I::EntryLine, K::RichEditLine, nullptr, P::Shown, {2, 221, 355, 12}, {2, 281, 379, 12}},
    ControlSpec{I::LogWindow, K::RichEdit, nullptr, P::Shown, {2, 235, 355, 20}, {2, 295, 379, 34}},

    // Beyond the right edge: reached by keys, the menu or not at all.
    ControlSpec{I::CwButton, K::Button, "CW", P::Outside, {370, 2, 24, 12}, {394, 2, 24, 12}},
    ControlSpec{I::Band29, K::Button, "29", P::Outside, {396, 2, 24, 12}, {420, 2, 24, 12}},
    ControlSpec{I::Setup, K::Button, "Setup", P::Outside, {370, 16, 30, 12}, {394, 16, 30, 12}},
    ControlSpec{I::Dxc, K::Button, "DXC", P::Outside, {402, 16, 30, 12}, {426, 16, 30, 12}},
    ControlSpec{I::Help, K::Button, "&Help", P::Outside, {370, 30, 30, 12}, {394, 30, 30, 12}},
    ControlSpec{I::Close, K::Button, "Close", P::Outside, {402, 30, 30, 12}, {426, 30, 30, 12}},
    ControlSpec{I::BandDown, K::Button, "Band down &V ", P::Outside, {370, 44, 50, 12}, {394, 44, 50, 12}},
    ControlSpec{I::BandUp, K::Button, "&Band Up", P::Outside, {370, 58, 50, 12}, {394, 58, 50, 12}},
    ControlSpec{I::ModeStep, K::Button, "&Mode", P::Outside, {370, 72, 50, 12}, {394, 72, 50, 12}},
    ControlSpec{I::SplitStepDown, K::Button, "&Down", P::Outside, {370, 86, 30, 12}, {394, 86, 30, 12}},
    ControlSpec{I::SplitStepUp, K::Button, "&Up", P::Outside, {402, 86, 30, 12}, {426, 86, 30, 12}},
    ControlSpec{I::DialDown, K::Button, "&<", P::Outside, {370, 100, 20, 12}, {394, 100, 20, 12}},
    ControlSpec{I::DialUp, K::Button, "&>", P::Outside, {392, 100, 20, 12}, {416, 100, 20, 12}},
    ControlSpec{I::CwSpeed, K::Edit, nullptr, P::Outside, {370, 114, 20, 12}, {394, 114, 20, 12}},
    ControlSpec{I::CwSpeedSpin, K::Spin, nullptr, P::Outside, {390, 114, 10, 12}, {414, 114, 10, 12}},
    ControlSpec{I::FreeText, K::Edit, nullptr, P::Outside, {370, 128, 60, 12}, {394, 128, 60, 12}},
    ControlSpec{I::UnusedEdit, K::Edit, nullptr, P::Outside, {370, 142, 60, 12}, {394, 142, 60, 12}},
    ControlSpec{I::Hex, K::CheckBox, "Hex", P::Outside, {370, 156, 28, 10}, {394, 156, 28, 10}},
    ControlSpec{I::Jr, K::CheckBox, "JR", P::Outside, {400, 156, 28, 10}, {424, 156, 28, 10}},
    ControlSpec{I::Com, K::CheckBox, "Com", P::Outside, {370, 168, 28, 10}, {394, 168, 28, 10}},
    ControlSpec{I::Gmt, K::CheckBox, "GMT", P::Outside, {400, 168, 28, 10}, {424, 168, 28, 10}},
    ControlSpec{I::Status, K::Static, nullptr, P::Outside, {370, 180, 60, 8}, {394, 180, 60, 8}},

    // Split-frequency controls of the satellite set-up: created, not shown.
    ControlSpec{I::SplitUp, K::Radio, "Up", P::Hidden, {370, 192, 24, 10}, {394, 192, 24, 10}},
    ControlSpec{I::SplitDown, K::Radio, "Down", P::Hidden, {396, 192, 30, 10}, {420, 192, 30, 10}},
    ControlSpec{I::Split0, K::ClickStatic, "0", P::Hidden, {370, 204, 8, 8}, {394, 204, 8, 8}},
    ControlSpec{I::Split1, K::ClickStatic, "1", P::Hidden, {379, 204, 8, 8}, {403, 204, 8, 8}},
    ControlSpec{I::Split2, K::ClickStatic, "2", P::Hidden, {388, 204, 8, 8}, {412, 204, 8, 8}},
    ControlSpec{I::Split3, K::ClickStatic, "3", P::Hidden, {397, 204, 8, 8}, {421, 204, 8, 8}},
    ControlSpec{I::Split4, K::ClickStatic, "4", P::Hidden, {406, 204, 8, 8}, {430, 204, 8, 8}},
    ControlSpec{I::Split5, K::ClickStatic, "5", P::Hidden, {415, 204, 8, 8}, {439, 204, 8, 8}},
    ControlSpec{I::Split6, K::ClickStatic, "6", P::Hidden, {424, 204, 8, 8}, {448, 204, 8, 8}},
    ControlSpec{I::Split7, K::ClickStatic, "7", P::Hidden, {433, 204, 8, 8}, {457, 204, 8, 8}},
    ControlSpec{I::Split8, K::ClickStatic, "8", P::Hidden, {442, 204, 8, 8}, {466, 204, 8, 8}},
    ControlSpec{I::Split9, K::ClickStatic, "9", P::Hidden, {451, 204, 8, 8}, {475, 204, 8, 8}},
    ControlSpec{I::Split10, K::ClickStatic, "10", P::Hidden, {460, 204, 10, 8}, {484, 204, 10, 8}},
    ControlSpec{I::SplitSlider, K::Trackbar, nullptr, P::Hidden, {370, 214, 100, 14}, {394, 214, 100, 14}},
};

}  // namespace

TemplateSize templateSize(MainWindowTemplate layout) noexcept
{
    return layout == MainWindowTemplate::Large ? TemplateSize{383, 331} : TemplateSize{359, 257};
}

std::span<const ControlSpec> mainWindowControls() noexcept
{
    return kControls;
}

}  // namespace vexa::app::qt
