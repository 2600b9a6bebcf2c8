// The Qt side of the DX list: the list box 1164 in place of the receive and log windows,
// the clipboard, and the window's tuning, mode and mark commands lent to DxListCommands.
#pragma once

#include <memory>

#include "app/dx_list_commands.h"

namespace vexa::app::qt {

class CMainWindow;

class DxListView final {
public:
    explicit DxListView(CMainWindow& window);
    DxListCommands& commands() noexcept { return *m_commands; }

private:
    DxListWindow lend(CMainWindow& window);
    std::unique_ptr<DxListCommands> m_commands;
};

}  // namespace vexa::app::qt
