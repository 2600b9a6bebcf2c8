// The partner window: a small modeless window that mirrors the current contact's call,
// name, QTH and the two reports, and lets the operator type them there. Typing a call also
// rewrites the call in the entry line. Qt-free; the window lends the dialog and the entry
// line through PartnerWindow.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "app/command_table.h"
#include "log/entry_state.h"
#include "log/qso_fields.h"

namespace vexa::app {

// The five fields in the window's order: "Call", "Name", "QTH", "Report", "MyReport".
enum class PartnerField : int { Call = 0, Name, Qth, Report, MyReport };
inline constexpr int kPartnerFields = 5;
using PartnerTexts = std::array<std::string, kPartnerFields>;

struct PartnerWindow {
    std::function<void()> open;   // creates the dialog, leaving the focus where it was
    std::function<void()> close;  // destroys it
    std::function<void(const PartnerTexts&)> show;
    std::function<std::string()> entryText;
    // Writes the entry line with one change notification.
    std::function<void(const std::string&)> setEntryText;
};

// The entry line after the partner's call changed from `oldCall` to `newCall`: every word
// equal to the old call becomes the new one (a removed call takes its space with it); with
// no old call in the line the new call goes in front of it.
std::string RewriteEntryCall(const std::string& entryText, const std::string& oldCall,
                             const std::string& newCall);

class PartnerCommands {
public:
    PartnerCommands(log::QsoFields& fields, log::EntryLineState& entry, PartnerWindow window)
        : m_fields(fields), m_entry(entry), m_window(std::move(window))
    {
    }

    // The toggle (1350, Alt+P).
    void addCommands(CommandTable& table);

    void toggle();
    bool isOpen() const noexcept { return m_open; }
    // Rewrites the five controls from the QSO fields (nothing when the window is closed).
    void refresh();
    // A control's text changed.
    void edited(PartnerField field, const std::string& text);
    // OK, Cancel or Escape closed the window.
    void closed() noexcept { m_open = false; }

private:
    std::string& fieldOf(PartnerField field);

    log::QsoFields& m_fields;
    log::EntryLineState& m_entry;
    PartnerWindow m_window;
    bool m_open = false;
    bool m_updating = false;  // set while refresh writes the controls
};

}  // namespace vexa::app
