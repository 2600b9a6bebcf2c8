#include "app/qt/transceiver_controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QSlider>
#include <QTextEdit>

#include "app/qt/main_window.h"

namespace vexa::app::qt {

namespace {

QString latin1(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string plain(const QString& text)
{
    return text.toLatin1().toStdString();
}

}  // namespace

TransceiverControls::TransceiverControls(CMainWindow& window, ApplicationGlobals& globals, Prompter& prompter,
                                         const Clock& clock)
    : m_window(window),
      m_scheduler(*this),
      m_field(qobject_cast<QComboBox*>(window.control(ControlId::FrequencyBox)))
{
    m_commands = std::make_unique<TransceiverCommands>(
        globals, prompter, clock, m_scheduler,
        [this](std::function<void()> call) { m_scheduler.post(std::move(call)); }, lend());
    if (m_field != nullptr) {
        m_field->installEventFilter(this);
        connect(m_field, &QComboBox::activated, this, [this](int index) {
            m_commands->bands().FrequencyFieldSelected(plain(m_field->itemText(index)));
        });
    }
    if (auto* slider = qobject_cast<QSlider*>(window.control(ControlId::SplitSlider))) {
        connect(slider, &QSlider::sliderReleased, this,
                [this, slider] { m_commands->bands().SplitSliderReleased(slider->value()); });
    }
}

TransceiverControls::~TransceiverControls()
{
    m_commands->closeLink();
}

TransceiverWindow TransceiverControls::lend()
{
    CMainWindow& w = m_window;
    auto* entry = w.richEdit(ControlId::EntryLine);
    TransceiverWindow t;
    t.operatingMode = [&w] { return w.state().operatingMode(); };
    t.carrierAudioHz = [&w] { return w.state().receiveFrequency(); };
    t.storeOperatingMode = [&w](OperatingMode mode, bool selectInList) {
        w.storeOperatingMode(mode, selectInList);
    };
    // "No mode" needs no storing here: the mode switch always sends the radio its mode.
    t.setOperatingMode = [&w](std::optional<OperatingMode> mode) {
        if (mode) w.SetOperatingMode(*mode);
    };
    t.showFrequency = [&w] { w.ShowFrequency(); };
    t.appendToEntryLine = [&w](std::string_view text) { w.AppendToEntryLine(text); };
    t.alert = [&w](std::string_view text) {
        if (auto* alert = w.richEdit(ControlId::AlertLine)) alert->setPlainText(latin1(text));
    };
    t.focusEntryLine = [&w] { w.focusEntryLine(); };
    t.moveSplitSlider = [&w](int offsetHz) {
        if (auto* slider = qobject_cast<QSlider*>(w.control(ControlId::SplitSlider))) {
            const QSignalBlocker quiet(slider);
            slider->setValue(offsetHz);
        }
    };
    t.entryText = [entry] { return plain(entry->toPlainText()); };
    t.selectedCall = [&w] { return w.logbook().selectedCall(); };
    t.clearEntryLine = [entry] { entry->clear(); };
    t.frequencyText = [this] { return m_field ? plain(m_field->currentText()) : std::string(); };
    t.setFrequencyListItem = [this](int n, const std::string& text) {
        if (m_field && n < m_field->count()) m_field->setItemText(n, latin1(text));
    };
    t.deleteFrequencyListItem = [this](int n) {
        if (m_field && n < m_field->count()) m_field->setItemText(n, QStringLiteral("-"));
    };
    t.showCheck = [&w](ControlId id, bool on) {
        if (auto* box = qobject_cast<QAbstractButton*>(w.control(id))) box->setChecked(on);
    };
    t.mapChanged = [this] { showMap(); };
    t.showMarkText = [&w](const display::MarkText& mark) {
        if (auto* label = qobject_cast<QLabel*>(w.control(ControlId::Status))) {
            label->setText(latin1(mark.text));
            label->setStyleSheet(mark.highlight ? QStringLiteral("color: rgb(192, 0, 0);") : QString());
        }
    };
    return t;
}

void TransceiverControls::start()
{
    if (auto* slider = qobject_cast<QSlider*>(m_window.control(ControlId::SplitSlider))) {
        slider->setRange(0, 10000);
        slider->setTickInterval(1000);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setPageStep(500);
        slider->setValue(0);
    }
    m_commands->openLink();
    m_commands->refreshFrequencyMap(true);
}

void TransceiverControls::stop()
{
    m_commands->closeLink();
}

void TransceiverControls::showMap()
{
    QWidget* map = m_window.control(ControlId::FrequencyMap);
    if (map == nullptr) return;
    const display::IndexedImage& picture = m_commands->mapImage();
    QImage image(picture.data(), picture.width(), picture.height(), picture.stride(),
                 QImage::Format_Indexed8);
    image.setColorTable({qRgb(192, 192, 192), qRgb(0, 0, 0)});
    QPalette pal = map->palette();
    pal.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(image.convertToFormat(QImage::Format_RGB32))));
    map->setPalette(pal);
    map->update();
}

bool TransceiverControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field) {
        const auto reason = event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut
                                ? static_cast<QFocusEvent*>(event)->reason()
                                : Qt::OtherFocusReason;
        // The drop-down list taking the focus for a moment is no leaving.
        if (reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusIn) {
                m_commands->bands().FrequencyFieldFocused();
                if (QLineEdit* edit = m_field->lineEdit()) edit->selectAll();
            } else if (event->type() == QEvent::FocusOut) {
                m_commands->bands().FrequencyFieldLeft(plain(m_field->currentText()));
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vexa::app::qt
