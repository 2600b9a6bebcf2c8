// The application-wide keyboard accelerators: key combination -> command id of the main
// window. Applied by an event filter before the focused control sees the key.
#pragma once

#include <optional>
#include <span>

#include <Qt>

#include "app/control_id.h"

namespace vexa::app::qt {

struct Accelerator {
    int key;  // Qt::Key
    Qt::KeyboardModifiers modifiers;
    ControlId command;  // sent with CommandOrigin::Accelerator
};

std::span<const Accelerator> acceleratorTable();

// The command of a key press, when the table has one. Keypad keys never match.
std::optional<ControlId> findAccelerator(int key, Qt::KeyboardModifiers modifiers);

}  // namespace vexa::app::qt
