// CMainWindow: the one window of Vexa. It builds the controls of the current layout (the
// table in control_layout.h, the widgets from control_factory.h), owns the operating state
// (the engine objects and the clock tick's text flow) and routes every command id to its
// handler. Read it as the map of who handles what; the work itself lives in the core
// (src/app) and the engine.
//
// Where new window commands go. main_window.cpp stays the map and never grows past about
// 800 lines, so each feature that brings commands gets its own Qt-free file pair under
// src/app/, named after the feature: log_commands (Save, Clear, Time, Look, the entry
// line), rig_commands (bands, dial steps, split, mode buttons, PTT), macro_commands (the
// function keys, frequency marks) and country_commands (Info, the map picture). Such a
// class owns the feature's state, reaches the window only through the ports of
// common/ports.h (TextWindow, Prompter, Clock) and names controls by app::ControlId; it
// offers `void addCommands(CommandTable&)`. CMainWindow constructs it beside the
// OperatingState and calls addCommands from buildCommandTable: one line per feature here.
// Tests drive such a class headless with the fakes in tests/support.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include <QDialog>
#include <QTextCharFormat>
#include <QTimer>

#include "app/application_globals.h"
#include "app/command_table.h"
#include "app/control_id.h"
#include "app/country_commands.h"
#include "app/fading_test_commands.h"
#include "app/log_commands.h"
#include "app/macro_key_commands.h"
#include "app/main_window_template.h"
#include "app/operating_state.h"
#include "app/qt/dx_list_view.h"
#include "app/qt/partner_window.h"
#include "app/qt/transceiver_controls.h"
#include "app/qt/window_geometry.h"
#include "app/setup_commands.h"
#include "common/ports.h"
#include "engine/audio/sound_devices.h"
#include "engine/audio/wave_event_mailbox.h"
#include "rig/transceiver_port.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTextEdit;
class QToolButton;

namespace vexa::ui {
class CMEdit;
class SpectrumWidget;
}  // namespace vexa::ui

namespace vexa::app::qt {

class QtTextWindow;
class CVexaPropertySheet;

// What the window uses from outside; null members get the real thing.
struct MainWindowServices {
    rig::TransceiverPort* transceiver = nullptr;     // null: no transceiver (commands do nothing)
    Prompter* prompter = nullptr;                    // null: Qt message boxes
    Clock* clock = nullptr;                          // null: the system clock
    engine::WaveBackend* sound = nullptr;            // null: no sound card
    engine::SoundDevices* soundDevices = nullptr;    // null: no devices to choose from
    std::function<void(const std::string&)> viewer;  // null: the "Viewer" dialog
    // Adds pages of its own to the "Setup" sheet (CVexaPropertySheet::addPage).
    std::function<void(CVexaPropertySheet&)> setupPages;
};

class CMainWindow : public QDialog {
    Q_OBJECT

public:
    CMainWindow(ApplicationGlobals& globals, MainWindowServices services = {}, QWidget* parent = nullptr);
    ~CMainWindow() override;

    // Initialises the window and runs it modally; says how it ended.
    WindowEnd run();

    // Routes one command id from a control (or the menu) or from a key of the accelerator
    // table; false when nothing handles it.
    bool OnCommand(ControlId id, CommandOrigin origin = CommandOrigin::Control);
    bool isRouted(ControlId id, CommandOrigin origin = CommandOrigin::Control) const;

    void SetOperatingMode(OperatingMode mode);
    // A mode the transceiver reported; selectInList: the operator changed it at the radio.
    void storeOperatingMode(OperatingMode mode, bool selectInList);
    void focusEntryLine();
    TransceiverControls& rig() noexcept { return *m_rig; }
    // Rewrites the "&Fq:" field with the signal frequency and the "Hz" field with the
    // receive audio frequency.
    void ShowFrequency();
    void ToggleTransmit();
    void onWaveEvent(const engine::WaveEvent& event);
    void ClockTick();
    void CloseMainWindow();
    void AppendToEntryLine(std::string_view text);

    OperatingState& state() noexcept { return *m_state; }
    // The sound devices the "Sound" page lists and applySoundChoice selects (null: none).
    engine::SoundDevices* soundDevices() const noexcept { return m_soundDevices; }
    // The entry line holds text that is not in the log yet.
    bool entryUnsaved() const noexcept { return m_log->entry().unsaved(); }
    void setEntryUnsaved(bool unsaved) noexcept
    {
        m_log->entry().setState(unsaved ? log::entry_state::kEdited : 0);
    }
    LogCommands& logbook() noexcept { return *m_log; }
    bool dxListViewActive() const noexcept { return m_dxList->commands().shown(); }
    DxListCommands& dxList() noexcept { return m_dxList->commands(); }
    QtPartnerWindow& partner() noexcept { return *m_partner; }
    FadingTestCommands& fadingTest() noexcept { return *m_fading; }
    bool initialised() const noexcept { return m_initialised; }
    QTimer& clockTimer() noexcept { return m_timer; }

    // The control with that id (nullptr when the layout has none).
    QWidget* control(ControlId id) const;
    ui::SpectrumWidget* spectrum() const noexcept { return m_spectrum; }
    QTextEdit* richEdit(ControlId id) const;
    QtTextWindow& keyboardWindow() const noexcept { return *m_keyboardWindow; }

    const QTextCharFormat& normalFormat() const noexcept { return m_normalFormat; }
    const QTextCharFormat& timeStampFormat() const noexcept { return m_timeStampFormat; }
    const QTextCharFormat& savedFormat() const noexcept { return m_savedFormat; }

protected:
    void accept() override;  // Enter
    void reject() override;  // Esc
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnInitDialog();  // false: the window ended during initialisation
    void OnOK();
    void OnCancel();
    void buildControls();
    void buildSystemMenu();
    void connectCommands();
    void setUpRichEdits();
    void showAboutBox();
    void buildCommandTable();
    MacroKeyWindow macroKeyWindow();
    LogWindow logWindow(std::function<void(const std::string&)> viewer);
    void sendTextFile(const QString& path);
    void onModeSelected(int index);
    void showCwSpeed();
    void showMapPicture();
    void showTitle();
    // The next clock tick looks the entry's call up and computes its alert again.
    void forgetLookup();
    // The normal and time-stamp formats bold or not, applied to the four typing windows.
    void applyBoldFont(bool bold);
    SetupWindow setupWindow(std::function<void(CVexaPropertySheet&)> extraPages);
    bool handleApplicationKey(QObject* watched, QKeyEvent* key);
    // Called by name (a queued call that carries nothing): the sound card's events waiting
    // in the mailbox.
    Q_INVOKABLE void takeWaveEvents();

    ApplicationGlobals& m_globals;
    std::function<void(const std::string&)> m_viewer;  // for the help; the log has its own
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter& m_prompter;
    std::unique_ptr<Clock> m_ownClock;
    Clock& m_clock;
    engine::WaveBackend* m_soundBackend;
    std::unique_ptr<engine::WaveBackend> m_ownSoundBackend;
    engine::SoundDevices* m_soundDevices;
    engine::WaveEventMailbox m_waveEvents;
    std::unique_ptr<OperatingState> m_state;

    std::map<ControlId, QWidget*> m_controls;
    CommandTable m_commands;
    ui::CMEdit* m_entryLine = nullptr;
    ui::CMEdit* m_receiveEdit = nullptr;
    ui::CMEdit* m_keyboardEdit = nullptr;
    ui::CMEdit* m_logEdit = nullptr;
    ui::CMEdit* m_alertEdit = nullptr;
    QComboBox* m_modeBox = nullptr;
    QPushButton* m_timeButton = nullptr;
    QToolButton* m_menuButton = nullptr;
    ui::SpectrumWidget* m_spectrum = nullptr;
    QRect m_spectrumRect;
    std::unique_ptr<WindowGeometry> m_geometry;
    QSize m_profileSize;  // the window size the profile held at the start
    std::unique_ptr<QtTextWindow> m_receiveWindow;
    std::unique_ptr<QtTextWindow> m_alertLine;
    std::unique_ptr<QtTextWindow> m_keyboardWindow;
    std::unique_ptr<QtTextWindow> m_entryLineWindow;
    std::unique_ptr<CountryCommands> m_country;
    std::unique_ptr<TransceiverControls> m_rig;  // before the state, which keys through it
    std::unique_ptr<LogCommands> m_log;
    std::unique_ptr<MacroKeyCommands> m_macroKeys;  // after the state and windows it uses
    std::unique_ptr<DxListView> m_dxList;
    std::unique_ptr<QtPartnerWindow> m_partner;
    std::unique_ptr<FadingTestCommands> m_fading;
    std::unique_ptr<SetupCommands> m_setup;

    QTextCharFormat m_normalFormat;
    QTextCharFormat m_timeStampFormat;
    QTextCharFormat m_savedFormat;

    QTimer m_timer;
    bool m_initialised = false;
    std::optional<WindowEnd> m_end;
    // Switches of the window (afc, net and inv live in the operating state).
    bool m_jrFlag = true;
    bool m_gmt = true;
    bool m_audioEnabled = true;
    int m_spinPosition = 20;
};

}  // namespace vexa::app::qt
