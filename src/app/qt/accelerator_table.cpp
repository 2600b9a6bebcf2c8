#include "app/qt/accelerator_table.h"

#include <vector>

namespace vexa::app::qt {

namespace {

std::vector<Accelerator> buildTable()
{
    using M = Qt::KeyboardModifier;
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift(M::ShiftModifier);
    const Qt::KeyboardModifiers ctrl(M::ControlModifier);
    const Qt::KeyboardModifiers alt(M::AltModifier);
    const Qt::KeyboardModifiers ctrlShift = ctrl | shift;
    const Qt::KeyboardModifiers ctrlShiftAlt = ctrl | shift | alt;
    const Qt::KeyboardModifiers shiftAlt = shift | alt;

    using I = ControlId;
    std::vector<Accelerator> t;
    // Function keys: F1..F10 send slots 0..9, Shift+F1..F10 slots 10..19, F11/F12 slots
    // 20/21 and Shift+F11/F12 slots 22/23; with Ctrl the same slots are edited.
    for (int i = 0; i < 10; ++i) {
        t.push_back({Qt::Key_F1 + i, none, nthId(I::FirstMacro, i)});
        t.push_back({Qt::Key_F1 + i, shift, nthId(I::FirstMacro, 10 + i)});
        t.push_back({Qt::Key_F1 + i, ctrl, nthId(I::FirstMacroEdit, i)});
        t.push_back({Qt::Key_F1 + i, ctrlShift, nthId(I::FirstMacroEdit, 10 + i)});
    }
    for (int i = 0; i < 2; ++i) {
        t.push_back({Qt::Key_F11 + i, none, nthId(I::FirstMacro, 20 + i)});
        t.push_back({Qt::Key_F11 + i, shift, nthId(I::FirstMacro, 22 + i)});
        t.push_back({Qt::Key_F11 + i, ctrl, nthId(I::FirstMacroEdit, 20 + i)});
        t.push_back({Qt::Key_F11 + i, ctrlShift, nthId(I::FirstMacroEdit, 22 + i)});
    }
    // Ctrl+1..9, 0 store marks 0..9; Alt+1..9, 0 recall them.
    for (int i = 0; i < 10; ++i) {
        const int key = i < 9 ? Qt::Key_1 + i : Qt::Key_0;
        t.push_back({key, ctrl, nthId(I::FirstStoreMark, i)});
        t.push_back({key, alt, nthId(I::FirstRecallMark, i)});
    }
    t.push_back({Qt::Key_F11, alt, I::InfoKey});
    t.push_back({Qt::Key_F12, alt, I::LookKey});
    t.push_back({Qt::Key_T, alt, I::Time});
    t.push_back({Qt::Key_Left, ctrl, I::DialDown});
    t.push_back({Qt::Key_Right, ctrl, I::DialUp});
    t.push_back({Qt::Key_Left, alt, I::CarrierDown});
    t.push_back({Qt::Key_Right, alt, I::CarrierUp});
    t.push_back({Qt::Key_Insert, alt, I::MarkHere});
    t.push_back({Qt::Key_Delete, alt, I::MarkDelete});
    t.push_back({Qt::Key_PageDown, alt, I::MarkNext});
    t.push_back({Qt::Key_PageUp, alt, I::MarkPrevious});
    t.push_back({Qt::Key_S, ctrlShift, I::ApplyAudio});
    t.push_back({Qt::Key_Pause, none, I::TransmitKey});
    t.push_back({Qt::Key_X, alt, I::TransmitKey});
    t.push_back({Qt::Key_B, ctrlShiftAlt, I::Rtty100Baud});
    t.push_back({Qt::Key_H, ctrlShiftAlt, I::FadingTest});
    t.push_back({Qt::Key_P, alt, I::PartnerToggle});
    t.push_back({Qt::Key_W, alt, I::StepDisplayType});
    t.push_back({Qt::Key_X, ctrlShiftAlt, I::NoAction});
    t.push_back({Qt::Key_F11, shiftAlt, I::NoActionF11});
    t.push_back({Qt::Key_F12, shiftAlt, I::NoActionF12});
    return t;
}

}  // namespace

std::span<const Accelerator> acceleratorTable()
{
    static const std::vector<Accelerator> table = buildTable();
    return table;
}

std::optional<ControlId> findAccelerator(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) return std::nullopt;
    const Qt::KeyboardModifiers relevant =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    for (const Accelerator& a : acceleratorTable()) {
        if (a.key == key && a.modifiers == relevant) return a.command;
    }
    return std::nullopt;
}

}  // namespace vexa::app::qt
