// CSoundPage: the "Sound" page of the settings — the input and output device by name, a live
// meter of the input peak (so the operator can set the radio's audio level to the card
// without guessing) and the transmit level. Self-contained: it is given the device lists, a
// function that reads the current peak and the current choice, and hands back what the
// operator chose; applying it is the caller's business.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QTimer>
#include <QWidget>

#include "engine/audio/sound_devices.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QSpinBox;

namespace vexa::ui {

struct SoundPageSetup {
    std::vector<std::string> inputDevices;   // "default" first
    std::vector<std::string> outputDevices;  // "default" first
    std::function<double()> inputPeakDbfs;   // null: no meter reading (shows the floor)
    engine::SoundChoice current;
};

class CSoundPage : public QWidget {
    Q_OBJECT

public:
    // How often the meter is read while the page is shown.
    static constexpr int kMeterIntervalMs = 200;
    // The bar's scale; the number shows any level.
    static constexpr int kMeterFloorDbfs = -60;

    explicit CSoundPage(SoundPageSetup setup, QWidget* parent = nullptr);

    engine::SoundChoice chosen() const;

    QComboBox* inputBox() const noexcept { return m_input; }
    QComboBox* outputBox() const noexcept { return m_output; }
    QSpinBox* transmitLevelBox() const noexcept { return m_level; }
    QProgressBar* meterBar() const noexcept { return m_meterBar; }
    QLabel* meterText() const noexcept { return m_meterText; }

    // Reads the peak and shows it (the timer's step).
    void updateMeter();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QComboBox* m_input = nullptr;
    QComboBox* m_output = nullptr;
    QSpinBox* m_level = nullptr;
    QProgressBar* m_meterBar = nullptr;
    QLabel* m_meterText = nullptr;
    std::function<double()> m_peak;
    QTimer m_timer;
};

// "-12.3 dBFS".
QString formatDbfs(double dbfs);

}  // namespace vexa::ui
