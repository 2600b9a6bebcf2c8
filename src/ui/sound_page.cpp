#include "ui/sound_page.h"

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>

#include "engine/audio/input_level_meter.h"
#include "engine/tx/transmit_level.h"

namespace vexa::ui {
namespace {

// The device names as items; a chosen device that the system no longer lists stays
// choosable (and visible as such) rather than silently becoming another one.
QComboBox* deviceBox(const std::vector<std::string>& names, const std::string& current, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const std::string& name : names)
        box->addItem(QString::fromStdString(name), QString::fromStdString(name));
    int index = box->findData(QString::fromStdString(current));
    if (index < 0 && !current.empty()) {
        box->addItem(QObject::tr("%1 (not connected)").arg(QString::fromStdString(current)),
                     QString::fromStdString(current));
        index = box->count() - 1;
    }
    box->setCurrentIndex(std::max(index, 0));
    return box;
}

}  // namespace

QString formatDbfs(double dbfs)
{
    return QStringLiteral("%1 dBFS").arg(dbfs, 0, 'f', 1);
}

CSoundPage::CSoundPage(SoundPageSetup setup, QWidget* parent)
    : QWidget(parent), m_peak(std::move(setup.inputPeakDbfs))
{
    setWindowTitle(tr("Sound"));
    m_input = deviceBox(setup.inputDevices, setup.current.inputDevice, this);
    m_output = deviceBox(setup.outputDevices, setup.current.outputDevice, this);

    m_meterBar = new QProgressBar(this);
    m_meterBar->setRange(kMeterFloorDbfs * 10, 0);
    m_meterBar->setTextVisible(false);
    m_meterBar->setAccessibleName(tr("Input level"));
    m_meterText = new QLabel(this);
    m_meterText->setMinimumWidth(m_meterText->fontMetrics().horizontalAdvance(formatDbfs(-96.0)));
    m_meterText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* meter = new QHBoxLayout;
    meter->addWidget(m_meterBar, 1);
    meter->addWidget(m_meterText);

    m_level = new QSpinBox(this);
    m_level->setRange(engine::TransmitLevel::kMinDb, engine::TransmitLevel::kMaxDb);
    m_level->setSuffix(tr(" dB"));
    m_level->setValue(setup.current.transmitLevelDb);
    m_level->setToolTip(tr("Below full scale: 0 dB drives the sound card fully, -6 dB halves the amplitude"));

    auto* form = new QFormLayout(this);
    form->addRow(tr("&Input device:"), m_input);
    form->addRow(tr("Input level:"), meter);
    form->addRow(tr("O&utput device:"), m_output);
    form->addRow(tr("&Transmit level:"), m_level);

    m_timer.setInterval(kMeterIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CSoundPage::updateMeter);
    updateMeter();
}

engine::SoundChoice CSoundPage::chosen() const
{
    engine::SoundChoice choice;
    choice.inputDevice = m_input->currentData().toString().toStdString();
    choice.outputDevice = m_output->currentData().toString().toStdString();
    choice.transmitLevelDb = m_level->value();
    return choice;
}

void CSoundPage::updateMeter()
{
    const double dbfs = m_peak ? m_peak() : engine::InputLevelMeter::kFloorDbfs;
    const int tenths = static_cast<int>(std::lround(std::clamp(dbfs, double{kMeterFloorDbfs}, 0.0) * 10.0));
    m_meterBar->setValue(tenths);
    m_meterText->setText(formatDbfs(dbfs));
}

void CSoundPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateMeter();
    m_timer.start();
}

void CSoundPage::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

}  // namespace vexa::ui
