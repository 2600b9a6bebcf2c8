// CMainWindow: the one window of Vexa. It builds the controls of the current layout, owns
// the operating state (the engine objects and the clock tick's text flow) and routes every
// command id to its handler. Read it as the map of who handles what; the work itself lives
// in the core (src/app) and the engine.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include <QDialog>
#include <QTextCharFormat>
#include <QTimer>

#include "app/application_globals.h"
#include "app/operating_state.h"
#include "common/ports.h"
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
class SpectrumWidget;
}

namespace vexa::app::qt {

class QtTextWindow;

// What the window uses from outside; null members get the real thing.
struct MainWindowServices {
    rig::TransceiverPort* transceiver = nullptr;  // null: no transceiver (commands do nothing)
    Prompter* prompter = nullptr;                 // null: Qt message boxes
    Clock* clock = nullptr;                       // null: the system clock
    engine::WaveBackend* sound = nullptr;         // null: no sound card
};

class CMainWindow : public QDialog {
    Q_OBJECT

public:
    // Command ids of the system menu.
    static constexpr int kCmdAbout = 16;
    static constexpr int kCmdSetup = 1008;
    static constexpr int kCmdFirstMacro = 1250;  // F1 .. Shift+F12: slots 0 .. 23
    static constexpr int kCmdLastMacro = 1273;

    CMainWindow(ApplicationGlobals& globals, MainWindowServices services = {}, QWidget* parent = nullptr);
    ~CMainWindow() override;

    // Initialises the window and runs it modally. Returns the dialog result: 0 asks for a
    // rebuild in the other layout, kResultCancel ends the application.
    int run();

    // Routes one command id; false when nothing handles it.
    bool OnCommand(int id);
    bool isRouted(int id) const;

    void SetOperatingMode(OperatingMode mode);
    // Rewrites the "&Fq:" field with the signal frequency and the "Hz" field with the
    // receive audio frequency.
    void ShowFrequency();
    void ToggleTransmit();
    void OnWaveEvent(const engine::WaveEvent& event);
    void ClockTick();
    void CloseMainWindow();
    void AppendToEntryLine(std::string_view text);

    OperatingState& state() noexcept { return *m_state; }
    int entryState() const noexcept { return m_entryState; }
    void setEntryState(int bits) noexcept { m_entryState = bits; }
    bool dxListViewActive() const noexcept { return (m_viewFlags & 1) != 0; }
    bool initialised() const noexcept { return m_initialised; }
    QTimer& clockTimer() noexcept { return m_timer; }

    // The control with that id (nullptr when the layout has none).
    QWidget* control(int id) const;
    ui::SpectrumWidget* spectrum() const noexcept { return m_spectrum; }
    QTextEdit* richEdit(int id) const;
    QtTextWindow& keyboardWindow() const noexcept { return *m_keyboardWindow; }

    const QTextCharFormat& normalFormat() const noexcept { return m_normalFormat; }
    const QTextCharFormat& timeStampFormat() const noexcept { return m_timeStampFormat; }
    const QTextCharFormat& savedFormat() const noexcept { return m_savedFormat; }

protected:
    void accept() override;  // Enter
    void reject() override;  // Esc
    void closeEvent(QCloseEvent* event) override;
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
    void toggleDxListView();
    void sendTextFile(const QString& path);
    void onModeSelected(int index);
    void showCwSpeed();
    void focusEntryLine();
    bool handleApplicationKey(QObject* watched, QKeyEvent* key);

    ApplicationGlobals& m_globals;
    rig::TransceiverPort m_noTransceiver;
    rig::TransceiverPort& m_transceiver;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter& m_prompter;
    std::unique_ptr<Clock> m_ownClock;
    Clock& m_clock;
    engine::WaveBackend* m_soundBackend;
    std::unique_ptr<engine::WaveBackend> m_ownSoundBackend;
    std::unique_ptr<OperatingState> m_state;

    std::map<int, QWidget*> m_controls;
    std::map<int, std::function<void()>> m_commands;  // command id -> handler
    QTextEdit* m_entryLine = nullptr;
    QTextEdit* m_receiveEdit = nullptr;
    QTextEdit* m_keyboardEdit = nullptr;
    QTextEdit* m_logEdit = nullptr;
    QTextEdit* m_alertEdit = nullptr;
    QComboBox* m_modeBox = nullptr;
    QPushButton* m_timeButton = nullptr;
    QListWidget* m_dxList = nullptr;
    QToolButton* m_menuButton = nullptr;
    ui::SpectrumWidget* m_spectrum = nullptr;
    QRect m_spectrumRect;
    std::unique_ptr<QtTextWindow> m_receiveWindow;
    std::unique_ptr<QtTextWindow> m_alertLine;
    std::unique_ptr<QtTextWindow> m_keyboardWindow;

    QTextCharFormat m_normalFormat;
    QTextCharFormat m_timeStampFormat;
    QTextCharFormat m_savedFormat;

    QTimer m_timer;
    bool m_initialised = false;
    bool m_ended = false;
    int m_endResult = kResultCancel;
    int m_entryState = 0;
    int m_viewFlags = 0;
    // Values bound to controls.
    int m_hexMonitor = 0;
    int m_jr = 1;
    int m_com = 1;
    int m_gmt = 1;
    int m_splitDirection = 0;  // 0 up, 1 down
    int m_afc = 0;
    int m_net = 1;
    int m_audioEnabled = 1;
    int m_inv = 0;
    int m_spinPosition = 20;
};

}  // namespace vexa::app::qt
