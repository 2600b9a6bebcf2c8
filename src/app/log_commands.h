// The logbook side of the main window: the entry line's state, the contact fields, the
// Save, Clear, Time and Look commands, the statistics of the map picture, the log scan at
// start and the worked-before alert of the clock tick. Qt-free; the window lends it the
// few things it shows through LogWindow.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/application_globals.h"
#include "app/command_table.h"
#include "app/macro_key_commands.h"
#include "app/operating_state.h"
#include "common/ports.h"
#include "log/country_worked.h"
#include "log/entry_state.h"
#include "log/log_time.h"
#include "log/qso_fields.h"
#include "log/save_entry.h"

namespace vexa::app {

// What the window lends the logbook.
struct LogWindow {
    TextWindow* entryLine = nullptr;                       // text, selection, focus
    std::function<void(const std::string&)> setEntryText;  // in the normal format
    // The completed line in the normal format followed by the suffix in the time-stamp format.
    std::function<void(const std::string&, const std::string&)> showStamp;
    std::function<void()> showSaved;  // the whole entry line in the saved format
    std::function<void(const std::string&)> appendLogLines;
    std::function<void(const std::string&)> showAlert;  // the alert line's text
    std::function<void(const std::string&)> showText;   // the text viewer
    std::function<std::string()> frequencyText;         // the "&Fq:" box
    std::function<std::string()> modeText;              // the mode box
    std::function<std::string()> freeText;              // the free-text edit
    std::function<bool()> gmt;                          // the "GMT" box
    std::function<bool()> shiftHeld;                    // for the map picture's click
    std::function<void()> focusEntry;
    std::function<void()> focusLog;  // Save: the log window before its line is appended
    std::function<void()> receiveCaretToEnd;
    // Text arrived in the entry line while the focus was elsewhere: a space at the caret and
    // the carets of the entry line and the receive window to their ends.
    std::function<void()> typeSpaceAndMoveCarets;
};

class LogCommands {
public:
    LogCommands(ApplicationGlobals& globals, OperatingState& state, Prompter& prompter, const Clock& clock,
                LogWindow window, log::TimeZoneOffset zone = log::TimeZoneOffset::system());

    // Save (1001), Clear (1000), Time (1003), Look (1006 and Alt+F12), the map picture (1163).
    void addCommands(CommandTable& table);
    // The hooks <SAVE>, <CLEAR> and <TIMESTAMP> of the macros run.
    MacroLogHooks macroHooks();

    // Start-up: the log file is scanned once per run (the worked calls and tables); every
    // window shows the lines of the last two days.
    void startUp();
    // The clock tick: the alert for the call in the entry line when it changed.
    void tick();
    // Makes the next tick compute the alert again.
    void forgetAlert() noexcept { m_alertCall.reset(); }

    // "&Time" then "&Save". True when the entry is in the log (or there was nothing to save).
    bool save();
    void timeStamp();
    void clear();
    void look();
    void statistics(bool scanFirst);
    // Close: "Text is not saved!\r\nSave?"; false when the window must stay open.
    bool confirmClose();

    // The entry line changed (text: all of it; line: the caret's line).
    void onEntryChanged();

    // The spot chosen in the DX list ("call comment"): the call the clock tick looks up and
    // the label of the next mark. Any edit of the entry line empties it.
    const std::string& selectedCall() const noexcept { return m_selectedCall; }
    void setSelectedCall(std::string call) { m_selectedCall = std::move(call); }
    // The call the clock tick looks up: the selected spot's call, else the entry's first word.
    std::string lookupCall() const;
    // Runs whenever a QSO field may have changed (the partner window refreshes).
    void setFieldsChangedHook(std::function<void()> hook) { m_fieldsChanged = std::move(hook); }

    log::EntryLineState& entry() noexcept { return m_entry; }
    log::QsoFields& fields() noexcept { return m_fields; }
    log::QsoFieldProviders& providers() noexcept { return m_providers; }
    const log::LogContext& context() const noexcept { return m_context; }

private:
    log::QsoSources sources();
    std::string entryText() const;
    std::string caretLine() const;  // the entry line's line with the caret
    void scan();

    ApplicationGlobals& m_globals;
    OperatingState& m_state;
    Prompter& m_prompter;
    const Clock& m_clock;
    LogWindow m_window;
    log::CountryContactRecorder m_recorder;
    log::LogContext m_context;
    log::EntryLineState m_entry;
    log::QsoFields m_fields;
    log::QsoFieldProviders m_providers;
    std::optional<std::string> m_alertCall;
    std::string m_selectedCall;
    std::function<void()> m_fieldsChanged;
};

}  // namespace vexa::app
