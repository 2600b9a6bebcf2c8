// The Qt side of the transceiver commands: lends them the main window's controls (the
// frequency field with its focus rules, the split slider, the frequency map control and
// the mark text), runs their timers and the serial reader's wakes on the GUI thread.
#pragma once

#include <memory>

#include <QObject>

#include "app/qt/qt_scheduler.h"
#include "app/transceiver_commands.h"

class QComboBox;

namespace vexa::app::qt {

class CMainWindow;

class TransceiverControls final : public QObject {
public:
    TransceiverControls(CMainWindow& window, ApplicationGlobals& globals, Prompter& prompter,
                        const Clock& clock);
    ~TransceiverControls() override;

    TransceiverCommands& commands() noexcept { return *m_commands; }
    rig::Transceiver& transceiver() noexcept { return m_commands->transceiver(); }
    // At start: the slider's range, the link the settings name, the map drawn.
    void start();
    // At close: the link closes (a keyed transmitter drops first).
    void stop();
    // Draws the map image into control 1143.
    void showMap();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TransceiverWindow lend();

    CMainWindow& m_window;
    QtScheduler m_scheduler;
    QComboBox* m_field = nullptr;
    std::unique_ptr<TransceiverCommands> m_commands;
};

}  // namespace vexa::app::qt
