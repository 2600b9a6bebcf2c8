// The logbook commands of the main window and the state of its entry line.
#include "app/log_commands.h"

#include <algorithm>

#include "log/clear_entry.h"
#include "log/log_mode_word.h"
#include "log/scan_log_file.h"
#include "log/search_log.h"
#include "log/statistics.h"
#include "log/time_stamp_entry.h"
#include "log/worked_alert.h"

namespace vexa::app {

LogCommands::LogCommands(ApplicationGlobals& globals, OperatingState& state, Prompter& prompter,
                         const Clock& clock, LogWindow window, log::TimeZoneOffset zone)
    : m_globals(globals),
      m_state(state),
      m_prompter(prompter),
      m_clock(clock),
      m_window(std::move(window)),
      m_recorder(globals.country.table, globals.country.worked),
      m_providers(m_fields, prompter, sources())
{
    m_context.zone = zone;
    m_context.workedCalls = &globals.logbook.workedCalls;
    m_context.recorder = &m_recorder;
}

void LogCommands::addCommands(CommandTable& table)
{
    table[ControlId::Save] = [this] { (void)save(); };
    table[ControlId::Clear] = [this] { clear(); };
    table[ControlId::Time] = [this] { timeStamp(); };
    table[ControlId::Look] = table[ControlId::LookKey] = [this] { look(); };
    table[ControlId::MapPicture] = [this] { statistics(m_window.shiftHeld && m_window.shiftHeld()); };
}

MacroLogHooks LogCommands::macroHooks()
{
    return {[this] { (void)save(); }, [this] { clear(); }, [this] { timeStamp(); }};
}

log::QsoSources LogCommands::sources()
{
    log::QsoSources s;
    s.entryWord = [this](int n) { return log::EntryWord(caretLine(), n); };
    s.setEntryText = [this](const std::string& text) {
        if (m_window.setEntryText) m_window.setEntryText(text);
    };
    s.capturedCall = [this] { return m_globals.textFlow.capturedCall(); };
    s.signalFrequencyHz = [this] { return m_state.GetSignalFrequency(); };
    s.frequencyText = [this] { return m_window.frequencyText ? m_window.frequencyText() : std::string(); };
    s.modeText = [this] { return m_window.modeText ? m_window.modeText() : std::string(); };
    s.questionAsked = [this] { forgetAlert(); };
    s.fieldsChanged = [this] {
        if (m_fieldsChanged) m_fieldsChanged();
    };
    return s;
}

std::string LogCommands::entryText() const
{
    return m_window.entryLine ? m_window.entryLine->text() : std::string();
}

void LogCommands::startUp()
{
    if (!m_globals.logbook.qsoTotal) scan();
    if (m_window.appendLogLines && !m_globals.logbook.logWindowText.empty())
        m_window.appendLogLines(m_globals.logbook.logWindowText);
}

void LogCommands::scan()
{
    const log::ScanResult result = log::ScanLogFile(m_context, m_clock, &m_prompter);
    m_globals.logbook.qsoTotal = result.qsoTotal;
    m_globals.country.logScanned = true;
    for (const std::string& line : result.logLines) m_globals.logbook.logWindowText += line;
    // The contacts of the last two hours come back as marks on the frequency map.
    FrequencyMarks& marks = m_globals.logbook.marks;
    for (const log::LogRecord& record : result.recentContacts) {
        FrequencyMark& mark = marks[marks.takeQsoSlot()];
        const auto mode = log::OperatingModeOfLogWord(record.modeWord, record.frequencyHz);
        mark = {record.frequencyHz, mode, static_cast<std::time_t>(m_context.zone.toUtc(record.time)),
                "+" + record.call, record.call};
    }
    if (!result.error.empty()) m_prompter.inform(result.error, "Error");
}

void LogCommands::timeStamp()
{
    log::StampInputs inputs;
    inputs.entryText = entryText();
    inputs.operatingMode = m_state.operatingMode();
    if (m_window.freeText) inputs.freeText = m_window.freeText();
    inputs.gmt = !m_window.gmt || m_window.gmt();
    const log::StampResult stamp = log::TimeStampEntry(m_entry, m_providers, inputs, m_clock, m_context.zone);
    if (!stamp.stamped) return;
    if (m_window.showStamp) m_window.showStamp(stamp.line, stamp.suffix);
    if (stamp.label.empty()) return;
    FrequencyMarks& marks = m_globals.logbook.marks;
    FrequencyMark& mark = marks[marks.takeQsoSlot()];
    mark = {m_state.GetSignalFrequency(), inputs.operatingMode, m_clock.now(), stamp.label,
            stamp.line + stamp.suffix};
}

bool LogCommands::save()
{
    timeStamp();
    const log::SaveResult result = log::SaveEntry(entryText(), m_entry, m_prompter, m_context);
    if (result.outcome == log::SaveOutcome::NothingToSave) return true;
    if (result.outcome == log::SaveOutcome::Declined && m_window.focusEntry) m_window.focusEntry();
    if (result.outcome != log::SaveOutcome::Saved) return false;
    if (!result.logLines.empty() && m_window.focusLog) m_window.focusLog();
    onEntryChanged();  // the saved format's own change notification takes the saved bit
    std::string lines;
    for (const std::string& line : result.logLines) lines += line;
    lines += result.unformattedText;
    m_globals.logbook.logWindowText += lines;
    if (m_window.appendLogLines && !lines.empty()) m_window.appendLogLines(lines);
    if (m_window.showSaved) m_window.showSaved();  // and the focus back to the entry line
    forgetAlert();
    return true;
}

void LogCommands::clear()
{
    const bool mayClear = log::ConfirmClear(
        m_entry, m_prompter,
        [this] {
            log::SaveForClear outcome;
            const bool wasUnsaved = m_entry.unsaved();
            const bool saved = save();
            outcome.outcome = saved && wasUnsaved ? log::SaveOutcome::Saved : log::SaveOutcome::Failed;
            outcome.entryText = entryText();
            return outcome;
        },
        m_context.zone);
    if (!mayClear) return;
    if (m_window.setEntryText) m_window.setEntryText("");
    m_entry.setState(0);
    if (m_window.focusEntry) m_window.focusEntry();
    m_fields.clear();
    if (m_fieldsChanged) m_fieldsChanged();
    if (m_window.receiveCaretToEnd) m_window.receiveCaretToEnd();
    forgetAlert();
}

bool LogCommands::confirmClose()
{
    if (!m_entry.unsaved()) return true;
    // A save that failed or was declined keeps the window and the entry.
    return log::AskToSaveFirst(m_prompter, [this] { return save() && !m_entry.unsaved(); });
}

void LogCommands::look()
{
    std::string selection;
    std::string firstWord;
    if (m_window.entryLine) {
        const std::string text = m_window.entryLine->text();
        const int start = m_window.entryLine->selectionStart();
        const int end = m_window.entryLine->selectionEnd();
        if (start >= 0 && end > start && static_cast<std::size_t>(end) <= text.size())
            selection = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
        firstWord = log::EntryWord(text, 0);
    }
    if (const std::optional<std::string> needle = log::SearchText(selection, firstWord, m_prompter)) {
        const log::SearchResult result = log::SearchLog(m_context.logPath, *needle, &m_prompter);
        if (m_window.showText) m_window.showText(result.text);
    }
    forgetAlert();
}

void LogCommands::statistics(bool scanFirst)
{
    if (scanFirst && !m_globals.logbook.qsoTotal) scan();
    const log::CountryWorkedTablesView view(m_globals.country.worked);
    const std::string text = log::FormatStatistics(view, m_globals.logbook.qsoTotal);
    if (m_window.showText) m_window.showText(text);
    forgetAlert();
}

std::string LogCommands::lookupCall() const
{
    // The selected spot is "call comment"; only the call is looked up, or the worked-before
    // alert could never match it.
    return log::EntryWord(m_selectedCall.empty() ? entryText() : m_selectedCall, 0);
}

void LogCommands::tick()
{
    const std::string call = lookupCall();
    if (m_alertCall && *m_alertCall == call) return;
    m_alertCall = call;
    std::string alert;
    if (!call.empty()) {
        const int hz = m_state.GetSignalFrequency();
        const OperatingMode mode = m_state.operatingMode();
        const log::WorkedCalls& worked = m_globals.logbook.workedCalls;
        alert = m_globals.country.table.empty()
                    ? log::ComputeAlert(call, -1, hz, mode, worked, nullptr)
                    : log::ComputeCountryAlert(call, m_globals.country.table, m_globals.country.worked, hz,
                                               mode, worked);
    }
    if (m_window.showAlert) m_window.showAlert(alert);
}

std::string LogCommands::caretLine() const
{
    if (m_window.entryLine == nullptr) return {};
    const std::string text = m_window.entryLine->text();
    const int position = std::max(0, m_window.entryLine->caret());
    const std::size_t caret = std::min(text.size(), static_cast<std::size_t>(position));
    const std::size_t newline = caret == 0 ? std::string::npos : text.rfind('\n', caret - 1);
    const std::size_t from = newline == std::string::npos ? 0 : newline + 1;
    const std::size_t to = std::min(text.find('\n', caret), text.size());
    return text.substr(from, to - from);
}

void LogCommands::onEntryChanged()
{
    if (m_window.entryLine == nullptr) return;
    const log::EntryChange change =
        m_entry.onChanged(m_window.entryLine->text(), caretLine(), m_window.entryLine->hasFocus());
    if (change.savedBitCleared) return;
    m_fields.call = change.call;
    if (change.clearSelectedCall) m_selectedCall.clear();
    if (m_fieldsChanged) m_fieldsChanged();
    if (change.typeSpaceAndMoveCarets && m_window.typeSpaceAndMoveCarets) m_window.typeSpaceAndMoveCarets();
}

}  // namespace vexa::app
