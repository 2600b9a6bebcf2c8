// The Qt side of the DX list: the list box 1164 in place of the receive and log windows,
// the clipboard, and the window's tuning, mode and mark commands lent to DxListCommands.
#pragma once

#include <memory>

#include <QMetaObject>

#include "app/dx_list_commands.h"

namespace vexa::app::qt {

class CMainWindow;

class DxListView final {
public:
    explicit DxListView(CMainWindow& window);
    ~DxListView();
    DxListView(const DxListView&) = delete;
    DxListView& operator=(const DxListView&) = delete;
    DxListCommands& commands() noexcept { return *m_commands; }

private:
    DxListWindow lend(CMainWindow& window);
    std::unique_ptr<DxListCommands> m_commands;
    // The list box outlives this (the window deletes it last); its signals must not.
    QMetaObject::Connection m_rowChanged;
    QMetaObject::Connection m_doubleClicked;
};

}  // namespace vexa::app::qt
