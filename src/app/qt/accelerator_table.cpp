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

    std::vector<Accelerator> t;
    // Function keys: F1..F10 send slots 0..9, Shift+F1..F10 slots 10..19, F11/F12 slots
    // 20/21 and Shift+F11/F12 slots 22/23; with Ctrl the same slots are edited.
    for (int i = 0; i < 10; ++i) {
        t.push_back({Qt::Key_F1 + i, none, 1250 + i});
        t.push_back({Qt::Key_F1 + i, shift, 1260 + i});
        t.push_back({Qt::Key_F1 + i, ctrl, 1300 + i});
        t.push_back({Qt::Key_F1 + i, ctrlShift, 1310 + i});
    }
    for (int i = 0; i < 2; ++i) {
        t.push_back({Qt::Key_F11 + i, none, 1270 + i});
        t.push_back({Qt::Key_F11 + i, shift, 1272 + i});
        t.push_back({Qt::Key_F11 + i, ctrl, 1320 + i});
        t.push_back({Qt::Key_F11 + i, ctrlShift, 1322 + i});
    }
    // Ctrl+1..9, 0 store marks 0..9; Alt+1..9, 0 recall them.
    for (int i = 0; i < 10; ++i) {
        const int key = i < 9 ? Qt::Key_1 + i : Qt::Key_0;
        t.push_back({key, ctrl, 1200 + i});
        t.push_back({key, alt, 1210 + i});
    }
    t.push_back({Qt::Key_F11, alt, 1324});
    t.push_back({Qt::Key_F12, alt, 1325});
    t.push_back({Qt::Key_T, alt, 1003});
    t.push_back({Qt::Key_Left, ctrl, 1178});
    t.push_back({Qt::Key_Right, ctrl, 1179});
    t.push_back({Qt::Key_Left, alt, 1352});
    t.push_back({Qt::Key_Right, alt, 1351});
    t.push_back({Qt::Key_Insert, alt, 1326});
    t.push_back({Qt::Key_Delete, alt, 1327});
    t.push_back({Qt::Key_PageDown, alt, 1328});
    t.push_back({Qt::Key_PageUp, alt, 1329});
    t.push_back({Qt::Key_S, ctrlShift, 1330});
    t.push_back({Qt::Key_Pause, none, 1331});
    t.push_back({Qt::Key_X, alt, 1331});
    t.push_back({Qt::Key_B, ctrlShiftAlt, 1333});
    t.push_back({Qt::Key_H, ctrlShiftAlt, 1334});
    t.push_back({Qt::Key_P, alt, 1350});
    t.push_back({Qt::Key_W, alt, 1353});
    t.push_back({Qt::Key_X, ctrlShiftAlt, 136});
    t.push_back({Qt::Key_F11, shiftAlt, 1339});
    t.push_back({Qt::Key_F12, shiftAlt, 1340});
    return t;
}

}  // namespace

std::span<const Accelerator> acceleratorTable()
{
    static const std::vector<Accelerator> table = buildTable();
    return table;
}

std::optional<int> findAccelerator(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) return std::nullopt;
    const Qt::KeyboardModifiers relevant =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    for (const Accelerator& a : acceleratorTable()) {
        if (a.key == key && a.modifiers == relevant) return a.commandId;
    }
    return std::nullopt;
}

}  // namespace vexa::app::qt
