// CMEdit: the text control behind every text window of the main window. On top of a rich
// text edit it counts the backspaces that can only erase text already sent (the transmit
// path sends them), and offers a right-button menu to copy, cut, paste, clear and print.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QTextEdit>

#include "ui/text_printer.h"

class QMenu;
class QPrinter;

namespace vexa::ui {

class CMEdit : public QTextEdit {
    Q_OBJECT

public:
    // The menu's commands, by the window's command ids.
    enum Command : int { Copy = 57634, Cut = 57635, Paste = 57637, Clear = 1347, PrintText = 1348 };

    // Sets up the printer (its output and options) and says what to print; nullopt: nothing.
    using PrintDialog = std::function<std::optional<PrintRange>(QPrinter& printer, bool hasSelection)>;

    explicit CMEdit(QWidget* parent = nullptr);

    int pendingBackspaces() const noexcept { return m_pendingBackspaces; }
    void setPendingBackspaces(int count) noexcept { m_pendingBackspaces = count; }

    // Told true when the menu opens and false once it is gone (the window holds received
    // text back meanwhile).
    void setMenuOpenHook(std::function<void(bool open)> hook) { m_menuOpen = std::move(hook); }
    // Replaces the system print dialog (tests print to a file).
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

    // The right-button menu as it stands now; each action's data is its Command.
    std::unique_ptr<QMenu> createContextMenu();
    void runCommand(Command command);
    // Prints the selection or the whole text, as the operator chooses in the print dialog.
    void Print();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_pendingBackspaces = 0;
    std::function<void(bool)> m_menuOpen;
    PrintDialog m_printDialog;
};

}  // namespace vexa::ui
