#include "app/qt/main_window.h"

#include <sys/resource.h>

#include <array>
#include <cstdio>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/help_command.h"
#include "app/qt/accelerator_table.h"
#include "app/qt/control_factory.h"
#include "app/qt/control_layout.h"
#include "app/qt/fading_test_dialog.h"
#include "app/qt/log_window_port.h"
#include "app/qt/qt_prompter.h"
#include "app/qt/qt_text_window.h"
#include "app/qt/sound_setup_page.h"
#include "app/qt/system_menu.h"
#include "app/qt/text_limit.h"
#include "app/qt/vexa_property_sheet.h"
#include "common/operating_mode.h"
#include "common/profile.h"
#include "common/version.h"
#include "engine/audio/null_wave_backend.h"
#include "ui/cm_edit.h"
#include "ui/frequency_readouts.h"
#include "ui/spectrum_widget.h"
#include "ui/text_viewer.h"

namespace vexa::app::qt {

namespace {

constexpr int kTickMs = 55;
constexpr int kRichEditTextLimit = 1000000;

class SystemClock final : public Clock {
public:
    std::time_t now() const override { return std::time(nullptr); }
};

QString latin1(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

CMainWindow::CMainWindow(ApplicationGlobals& globals, MainWindowServices services, QWidget* parent)
    : QDialog(parent),
      m_globals(globals),
      m_viewer(services.viewer),
      m_ownPrompter(services.prompter ? nullptr : std::make_unique<QtPrompter>(this)),
      m_prompter(services.prompter ? *services.prompter : *m_ownPrompter),
      m_ownClock(services.clock ? nullptr : std::make_unique<SystemClock>()),
      m_clock(services.clock ? *services.clock : *m_ownClock),
      m_soundBackend(services.sound),
      m_soundDevices(services.soundDevices),
      m_waveEvents([this] { QMetaObject::invokeMethod(this, "takeWaveEvents", Qt::QueuedConnection); })
{
    setWindowTitle(QStringLiteral("VEXA32"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    buildCommandTable();
    buildControls();
    if (m_soundBackend == nullptr) {
        m_ownSoundBackend = std::make_unique<engine::NullWaveBackend>();
        m_soundBackend = m_ownSoundBackend.get();
    }
    m_rig = std::make_unique<TransceiverControls>(*this, globals, m_prompter, m_clock);
    m_rig->commands().addCommands(m_commands);
    // Sound-card events arrive on the device's thread and are handled on this one; events
    // still waiting when the window goes are dropped with it.
    m_state = std::make_unique<OperatingState>(
        globals, services.transceiver ? *services.transceiver : m_rig->transceiver(), *m_keyboardWindow,
        *m_soundBackend, [this](const engine::WaveEvent& e) { m_waveEvents.post(e); });
    m_state->setDialSource([this] { return m_rig->transceiver().dialFrequency(); });
    m_log = std::make_unique<LogCommands>(globals, *m_state, m_prompter, m_clock, logWindow(services.viewer));
    m_log->addCommands(m_commands);
    connect(m_entryLine, &QTextEdit::textChanged, this, [this] { m_log->onEntryChanged(); });
    m_macroKeys = std::make_unique<MacroKeyCommands>(globals, *m_state, *m_keyboardWindow, m_prompter,
                                                     m_clock, macroKeyWindow(), m_log->providers());
    m_macroKeys->addCommands(m_commands);
    m_macroKeys->setLogHooks(m_log->macroHooks());
    m_dxList = std::make_unique<DxListView>(*this);
    m_dxList->commands().addCommands(m_commands);
    m_partner =
        std::make_unique<QtPartnerWindow>(this, m_entryLine, m_normalFormat, m_log->fields(), m_log->entry());
    m_partner->commands().addCommands(m_commands);
    m_log->setFieldsChangedHook([this] { m_partner->commands().refresh(); });
    m_fading = std::make_unique<FadingTestCommands>(
        m_state->transmitMachine(),
        [this](const FadingTerms& terms) { return runFadingTestDialog(this, terms); },
        [this] { forgetLookup(); });
    m_fading->addCommands(m_commands);
    m_setup = std::make_unique<SetupCommands>(globals, *m_state, m_rig->commands(), *m_country, m_prompter,
                                              setupWindow(std::move(services.setupPages)));
    m_setup->addCommands(m_commands);
    m_spectrum = new ui::SpectrumWidget(this, *m_state);
    m_spectrum->setObjectName(QString::number(idNumber(ControlId::Spectrum)));
    m_spectrum->setAccessibleName(QStringLiteral("&0"));
    m_spectrum->setGeometry(m_spectrumRect);
    m_spectrum->lower();
    m_controls[ControlId::Spectrum] = m_spectrum;
    m_geometry->add(m_spectrum);
    m_state->setSpectrumSize(m_spectrum->devicePixelSize().width(), m_spectrum->devicePixelSize().height());
    m_state->setSpectrumInvalidator([this] { m_spectrum->update(); });
    connect(m_spectrum, &ui::SpectrumWidget::frequencyChanged, this, &CMainWindow::ShowFrequency);
    connectCommands();
    connect(&m_timer, &QTimer::timeout, this, &CMainWindow::ClockTick);
    qApp->installEventFilter(this);
}

CMainWindow::~CMainWindow()
{
    qApp->removeEventFilter(this);
    m_timer.stop();
    m_state.reset();  // stops the sound card while the window can still take its events
}

QWidget* CMainWindow::control(ControlId id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QTextEdit* CMainWindow::richEdit(ControlId id) const
{
    return qobject_cast<QTextEdit*>(control(id));
}

void CMainWindow::buildControls()
{
    const MainWindowTemplate layout = m_globals.mainWindowTemplate;
    const DialogBase base = fittingDialogBase(layout, font());
    const TemplateSize size = templateSize(layout);
    const QRect client = toPixels({0, 0, size.w, size.h}, base);
    setMinimumSize(client.size());
    resize(client.size());
    std::vector<QWidget*> placed;

    for (const ControlSpec& spec : mainWindowControls()) {
        if (spec.kind == ControlKind::Spectrum) {
            // Needs the operating state, which needs the keyboard window: made afterwards.
            m_spectrumRect = toPixels(layout == MainWindowTemplate::Large ? spec.large : spec.normal, base);
            continue;
        }
        QWidget* w = createControl(spec, layout, base, this, [this](ControlId id) { OnCommand(id); });
        if (w != nullptr && spec.id != ControlId::None) m_controls[spec.id] = w;
        if (w != nullptr) placed.push_back(w);
    }

    auto textControl = [this](ControlId id) { return qobject_cast<ui::CMEdit*>(control(id)); };
    m_entryLine = textControl(ControlId::EntryLine);
    m_receiveEdit = textControl(ControlId::ReceiveWindow);
    m_keyboardEdit = textControl(ControlId::KeyboardWindow);
    m_logEdit = textControl(ControlId::LogWindow);
    m_alertEdit = textControl(ControlId::AlertLine);
    // Received text waits while the operator picks from a text window's menu.
    for (ui::CMEdit* edit : {m_entryLine, m_receiveEdit, m_keyboardEdit, m_logEdit, m_alertEdit})
        edit->setMenuOpenHook([this](bool open) { m_globals.receivePaused = open; });
    m_modeBox = qobject_cast<QComboBox*>(control(ControlId::ModeBox));
    m_timeButton = qobject_cast<QPushButton*>(control(ControlId::Time));
    m_geometry = std::make_unique<WindowGeometry>(client.size(), m_spectrumRect, m_receiveEdit->geometry());
    for (QWidget* w : placed) m_geometry->add(w);
    m_receiveEdit->setReadOnly(true);
    m_receiveEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_alertEdit->setReadOnly(true);
    m_alertEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_alertEdit->setLineWrapMode(QTextEdit::NoWrap);
    m_alertEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_alertEdit->document()->setDocumentMargin(1);

    for (std::string_view name : kOperatingModeNames) m_modeBox->addItem(latin1(name));
    auto* frequencyBox = qobject_cast<QComboBox*>(control(ControlId::FrequencyBox));
    for (int i = 0; i < 10; ++i) frequencyBox->addItem(QStringLiteral("-"));

    // The receive, log and keyboard windows hold at most a million characters.
    new TextLimit(*m_receiveEdit, kRichEditTextLimit, TextLimit::Policy::DropOldest);
    new TextLimit(*m_logEdit, kRichEditTextLimit, TextLimit::Policy::DropOldest);
    new TextLimit(*m_keyboardEdit, kRichEditTextLimit, TextLimit::Policy::RefuseInput);
    m_receiveWindow = std::make_unique<QtTextWindow>(*m_receiveEdit);
    m_alertLine = std::make_unique<QtTextWindow>(*m_alertEdit);
    m_keyboardWindow = std::make_unique<QtTextWindow>(*m_keyboardEdit);
    m_entryLineWindow = std::make_unique<QtTextWindow>(*m_entryLine);
    m_country = std::make_unique<CountryCommands>(m_globals.country, m_globals.settings.station,
                                                  *m_entryLineWindow, m_prompter);
    m_country->addCommands(m_commands);

    buildSystemMenu();
}

void CMainWindow::buildSystemMenu()
{
    const auto command = [this](ControlId id) { return [this, id] { OnCommand(id); }; };
    m_menuButton = qt::buildSystemMenu(
        *this, control(ControlId::MapPicture)->geometry(),
        {{QStringLiteral("&Setup"), command(ControlId::Setup), [this] { return isRouted(ControlId::Setup); }},
         {QStringLiteral("&DX list"), command(ControlId::Dxc), [this] { return isRouted(ControlId::Dxc); }},
         {QStringLiteral("&Help"), command(ControlId::Help)},
         {QStringLiteral("&About  Vexa32"), command(ControlId::About)},
         {QString(), {}},
         {QStringLiteral("Close"), [this] { CloseMainWindow(); }}});
    m_geometry->add(m_menuButton);
}

void CMainWindow::connectCommands()
{
    for (auto& [id, widget] : m_controls) {
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            connect(button, &QPushButton::clicked, this, [this, id = id] { OnCommand(id); });
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            connect(box, &QCheckBox::clicked, this, [this, id = id] { OnCommand(id); });
        } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            connect(radio, &QRadioButton::clicked, this, [this, id = id] { OnCommand(id); });
        }
    }
    connect(m_modeBox, &QComboBox::activated, this, &CMainWindow::onModeSelected);
    auto* spin = qobject_cast<QScrollBar*>(control(ControlId::CwSpeedSpin));
    connect(spin, &QScrollBar::valueChanged, this, [this](int position) {
        const int delta = position - m_spinPosition;
        m_spinPosition = position;
        m_state->cwSpeed().addToElementLength(delta);
        m_jrFlag = false;
        if (auto* jr = qobject_cast<QCheckBox*>(control(ControlId::Jr))) jr->setChecked(false);
    });
    // Received text waits while the operator drags any scroll bar of the window.
    for (QScrollBar* bar : findChildren<QScrollBar*>()) {
        if (bar == spin) continue;
        connect(bar, &QScrollBar::sliderPressed, this, [this] { m_globals.receivePaused = true; });
        connect(bar, &QScrollBar::sliderReleased, this, [this] { m_globals.receivePaused = false; });
    }
}

WindowEnd CMainWindow::run()
{
    if (OnInitDialog() && !m_end) exec();
    return m_end.value_or(WindowEnd::Close);
}

bool CMainWindow::OnInitDialog()
{
    const std::optional<Profile> profile =
        m_globals.profileFile.empty() ? std::nullopt : std::optional<Profile>(m_globals.profileFile);
    Settings& settings = m_globals.settings;

    // A profile that asks for the large layout: end at once and be rebuilt in it.
    if (profile) settings.readLayout(*profile);
    m_profileSize = profile ? readWindowSize(*profile, m_geometry->described()) : m_geometry->described();
    resize(m_profileSize);
    if (m_globals.settings.largeScreen != 0 && m_globals.mainWindowTemplate == MainWindowTemplate::Normal) {
        m_globals.mainWindowTemplate = MainWindowTemplate::Large;
        m_end = WindowEnd::Rebuild;
        return false;
    }

    // The audio blocks must be served in time; without the right to raise it, carry on.
    (void)setpriority(PRIO_PROCESS, 0, -5);

    m_modeBox->setCurrentIndex(modeIndex(m_state->operatingMode()));

    m_timer.start(kTickMs);
    if (!m_timer.isActive()) {
        m_prompter.inform("Timer fault", "Error");
        m_initialised = true;
        return true;
    }

    if (profile) settings.readOperating(*profile);
    m_state->setCarrierFrequency(settings.soundFq, true);

    focusEntryLine();

    auto* spin = qobject_cast<QScrollBar*>(control(ControlId::CwSpeedSpin));
    spin->blockSignals(true);
    spin->setValue(m_state->cwSpeed().elementLength());
    m_spinPosition = spin->value();
    spin->blockSignals(false);
    m_rig->start();

    if (profile) settings.readText(*profile);
    m_state->applySettings();
    setUpRichEdits();

    m_country->load();
    m_country->showStation();
    showMapPicture();
    m_log->startUp();
    if (const auto carried = std::exchange(m_globals.carriedTexts, std::nullopt)) {
        m_receiveEdit->setHtml(QString::fromStdString(carried->receive));
        m_keyboardEdit->setHtml(QString::fromStdString(carried->keyboard));
        {
            // As it was typed: no change notification, which would take it for new typing.
            const QSignalBlocker quiet(m_entryLine);
            m_entryLine->setHtml(QString::fromStdString(carried->entry));
        }
        for (QTextEdit* edit : {m_receiveEdit, m_keyboardEdit, m_entryLine})
            edit->moveCursor(QTextCursor::End);
        m_log->entry().setState(carried->entryState);
        applyBoldFont(m_globals.settings.boldFont != 0);
    }
    SetOperatingMode(OperatingMode::Psk31);
    m_state->applyAudioEnabled(m_audioEnabled);

    showTitle();

    // Controls bound to members show their values.
    auto setCheck = [this](ControlId id, bool on) {
        if (auto* box = qobject_cast<QCheckBox*>(control(id))) box->setChecked(on);
    };
    setCheck(ControlId::Hex, m_rig->commands().hexMonitor());
    setCheck(ControlId::Jr, m_jrFlag);
    setCheck(ControlId::Com, true);
    setCheck(ControlId::Gmt, m_gmt);
    setCheck(ControlId::Afc, m_state->afcEnabled());
    setCheck(ControlId::Net, m_state->netEnabled());
    setCheck(ControlId::Spec, m_audioEnabled);
    setCheck(ControlId::Inv, m_state->inversion());
    qobject_cast<QRadioButton*>(control(ControlId::SplitUp))
        ->setChecked(!m_rig->commands().bands().splitDown());
    qobject_cast<QRadioButton*>(control(ControlId::SplitDown))
        ->setChecked(m_rig->commands().bands().splitDown());
    showCwSpeed();

    m_initialised = true;
    return true;
}

void CMainWindow::setUpRichEdits()
{
    const bool bold = m_globals.settings.boldFont != 0;
    const QTextCharFormat base = m_entryLine->currentCharFormat();
    m_normalFormat = base;
    m_normalFormat.setForeground(QColor(0, 0, 0));
    m_normalFormat.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    m_normalFormat.setFontItalic(false);
    m_timeStampFormat = base;
    m_timeStampFormat.setForeground(QColor(0, 0, 96));
    m_timeStampFormat.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    m_timeStampFormat.setFontItalic(false);
    m_savedFormat = base;
    m_savedFormat.setForeground(QColor(192, 0, 0));
    m_savedFormat.setFontWeight(QFont::Normal);
    m_savedFormat.setFontItalic(true);
    m_savedFormat.setProperty(QTextFormat::UserProperty, true);  // protected text

    auto background = [](QTextEdit* edit, QColor colour) {
        QPalette pal = edit->palette();
        pal.setColor(QPalette::Base, colour);
        edit->setPalette(pal);
    };
    background(m_receiveEdit, QColor(255, 255, 224));
    background(m_logEdit, QColor(224, 255, 255));

    applyBoldFont(bold);
}

void CMainWindow::applyBoldFont(bool bold)
{
    m_normalFormat.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    m_timeStampFormat.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    for (QTextEdit* edit : {m_entryLine, m_receiveEdit, m_keyboardEdit, m_alertEdit}) {
        edit->setCurrentCharFormat(m_normalFormat);
    }
}

void CMainWindow::forgetLookup()
{
    m_country->forgetLookup();
    m_log->forgetAlert();
}

void CMainWindow::showTitle()
{
    char caption[256];
    std::snprintf(caption, sizeof caption, "%s [%s]", std::string(kVersionString).c_str(),
                  m_globals.settings.station.call.c_str());
    setWindowTitle(QString::fromLatin1(caption));
}

SetupWindow CMainWindow::setupWindow(std::function<void(CVexaPropertySheet&)> extraPages)
{
    SetupWindow w;
    w.runSheet = [this, extraPages = std::move(extraPages)](const SetupValues& values) {
        CVexaPropertySheet sheet(m_prompter, this);
        sheet.load(values);
        addSoundPage(sheet, *this, m_globals, m_prompter);
        if (extraPages) extraPages(sheet);
        return sheet.exec() == QDialog::Accepted ? std::optional<SetupValues>(sheet.values()) : std::nullopt;
    };
    w.showFrequency = [this] { ShowFrequency(); };
    w.applyBoldFont = [this](bool bold) { applyBoldFont(bold); };
    w.showMapPicture = [this] { showMapPicture(); };
    w.stationChanged = [this] { showTitle(); };
    w.forgetLookup = [this] { forgetLookup(); };
    w.rebuild = [this] {
        m_globals.carriedTexts =
            CarriedWindowTexts{m_receiveEdit->toHtml().toStdString(), m_keyboardEdit->toHtml().toStdString(),
                               m_entryLine->toHtml().toStdString(), m_log->entry().state()};
        m_end = WindowEnd::Rebuild;
        done(0);
    };
    return w;
}

void CMainWindow::SetOperatingMode(OperatingMode mode)
{
    m_state->SetOperatingMode(mode);
    ShowFrequency();
    if (m_modeBox->currentIndex() != modeIndex(mode)) m_modeBox->setCurrentIndex(modeIndex(mode));
}

void CMainWindow::storeOperatingMode(OperatingMode mode, bool selectInList)
{
    m_state->storeOperatingMode(mode);
    if (selectInList) m_modeBox->setCurrentIndex(modeIndex(mode));
}

void CMainWindow::ShowFrequency()
{
    auto* field = qobject_cast<QComboBox*>(control(ControlId::FrequencyBox));
    // What the operator is typing stays until the field is left.
    ui::showFrequencyReadouts(field != nullptr && field->hasFocus() ? nullptr : field,
                              qobject_cast<QLineEdit*>(control(ControlId::AudioFrequency)),
                              m_rig->transceiver().GetSignalFrequency(), m_state->carrierFrequency());
}

void CMainWindow::onModeSelected(int index)
{
    if (const std::optional<OperatingMode> mode = operatingModeFromIndex(index)) SetOperatingMode(*mode);
    focusEntryLine();
}

void CMainWindow::focusEntryLine()
{
    if (!m_entryLine->hasFocus()) m_entryLine->setFocus(Qt::OtherFocusReason);
}

void CMainWindow::onWaveEvent(const engine::WaveEvent& event)
{
    const WaveEventResult result = m_state->onWaveEvent(event);
    if (result.spectrumCaptured) m_spectrum->blockDispatched();
    if (result.frequencyChanged) ShowFrequency();
}

void CMainWindow::takeWaveEvents()
{
    for (const engine::WaveEvent& e : m_waveEvents.takeAll()) onWaveEvent(e);
}

void CMainWindow::ClockTick()
{
    const TickResult r = m_state->ClockTick({*m_receiveWindow, *m_alertLine}, m_clock.now(), m_gmt);
    if (r.cwSpeedChanged) showCwSpeed();
    if (r.clockChanged) {
        m_timeButton->setText(QString::fromStdString(m_state->clock().text()));
        if (r.invalidateSpectrum) m_spectrum->draw();
        m_dxList->commands().everySecond();
    }
    if (m_country->tick(QApplication::activeWindow() != nullptr, m_log->selectedCall())) showMapPicture();
    m_log->tick();
}

void CMainWindow::showMapPicture()
{
    auto* label = qobject_cast<QLabel*>(control(ControlId::MapPicture));
    if (label == nullptr) return;
    const display::IndexedImage& picture = m_country->picture();
    QImage image(picture.data(), picture.width(), picture.height(), picture.stride(),
                 QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const display::MapRgb& c : display::kGreatCircleMapColours) colours.push_back(qRgb(c.r, c.g, c.b));
    colours[display::kMapBackground] = qRgb(0, 0, 64);  // the picture control's own background
    image.setColorTable(colours);
    QImage shown = image.convertToFormat(QImage::Format_RGB32);
    if (const auto& note = m_country->overlay()) {
        QPainter painter(&shown);
        QFont small = font();
        small.setPixelSize(12);
        painter.setFont(small);
        painter.setPen(QColor(240, 240, 0));
        painter.drawText(QRect(QPoint(note->left, note->top), QPoint(note->right, note->bottom)),
                         Qt::AlignCenter, latin1(note->text));
    }
    label->setPixmap(QPixmap::fromImage(shown));
}

void CMainWindow::showCwSpeed()
{
    auto* speed = qobject_cast<QLineEdit*>(control(ControlId::CwSpeed));
    speed->setText(QString::number(m_state->cwSpeed().speed()));
    if (auto* jr = qobject_cast<QCheckBox*>(control(ControlId::Jr))) jr->setChecked(m_jrFlag);
}

void CMainWindow::AppendToEntryLine(std::string_view text)
{
    QTextCursor cursor = m_entryLine->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(latin1(text), m_timeStampFormat);
    m_entryLine->setTextCursor(cursor);
    m_entryLine->setCurrentCharFormat(m_normalFormat);
}

void CMainWindow::buildCommandTable()
{
    // A check box has already changed its own state when its command arrives; a key sends
    // the same command without touching it. Either way the box shows the new value.
    auto show = [this](ControlId id, bool on) {
        if (auto* box = qobject_cast<QCheckBox*>(control(id))) box->setChecked(on);
    };
    auto& c = m_commands;
    // System menu, window and log.
    c[ControlId::About] = [this] { showAboutBox(); };
    c[ControlId::Close] = [this] { CloseMainWindow(); };
    c[ControlId::Send] = [this] {  // a text file into the keyboard window
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Send"));
        if (!path.isEmpty()) sendTextFile(path);
        m_keyboardEdit->setFocus(Qt::OtherFocusReason);
    };
    c[ControlId::Help] = [this] {
        // A window of its own, not a child of this one. A control command: Alt+8, the
        // same number from the keys, stays the recall of mark 7.
        ShowHelp(
            kHelpFileName, m_prompter,
            m_viewer ? m_viewer : [](const std::string& text) { ui::showTextViewer(nullptr, text); });
    };
    // Switches.
    c[ControlId::Jr] = [this, show] {
        m_jrFlag = !m_jrFlag;
        show(ControlId::Jr, m_jrFlag);
        m_state->cwSpeed().markChanged();
    };
    c[ControlId::Gmt] = [this, show] {  // nothing is redrawn
        m_gmt = !m_gmt;
        show(ControlId::Gmt, m_gmt);
    };
    c[ControlId::Afc] = [this, show] {
        m_state->setAfc(!m_state->afcEnabled());
        show(ControlId::Afc, m_state->afcEnabled());
    };
    c[ControlId::Net] = [this, show] {
        m_state->setNet(!m_state->netEnabled());
        show(ControlId::Net, m_state->netEnabled());
    };
    c[ControlId::Inv] = [this, show] {
        m_state->setInversion(!m_state->inversion());
        show(ControlId::Inv, m_state->inversion());
        ShowFrequency();
    };
    // Sound card and transmit path.
    c[ControlId::Spec] = [this, show] {
        m_audioEnabled = !m_audioEnabled;
        show(ControlId::Spec, m_audioEnabled);
        m_state->applyAudioEnabled(m_audioEnabled);
    };
    c[ControlId::ApplyAudio] = [this] { m_state->applyAudioEnabled(m_audioEnabled); };
    c[ControlId::TransmitKey] = [this] { ToggleTransmit(); };
    c[ControlId::Rtty100Baud] = [this] {
        m_state->setRtty100Baud();
        m_modeBox->setCurrentIndex(modeIndex(m_state->operatingMode()));
        ShowFrequency();
    };
    // Spectrum window.
    c[ControlId::CarrierUp] = [this] { m_spectrum->stepCarrier(+1.0); };
    c[ControlId::CarrierDown] = [this] { m_spectrum->stepCarrier(-1.0); };
    c[ControlId::StepDisplayType] = [this] { m_spectrum->stepDisplayType(); };
    // Keys that do nothing but must not reach a control.
    c[ControlId::NoAction] = c[ControlId::NoActionF11] = c[ControlId::NoActionF12] = [] {};
}

bool CMainWindow::isRouted(ControlId id, CommandOrigin origin) const
{
    return m_commands.contains(id, origin);
}

bool CMainWindow::OnCommand(ControlId id, CommandOrigin origin)
{
    return m_commands.run(id, origin);
}

MacroKeyWindow CMainWindow::macroKeyWindow()
{
    return {[this] { ToggleTransmit(); }, [this] { m_keyboardEdit->setFocus(Qt::OtherFocusReason); }};
}

LogWindow CMainWindow::logWindow(std::function<void(const std::string&)> viewer)
{
    LogWindow window =
        qtLogWindow({m_entryLine, m_entryLineWindow.get(), m_receiveEdit, m_logEdit, m_alertEdit,
                     &m_normalFormat, &m_timeStampFormat, &m_savedFormat, this, std::move(viewer)});
    const auto plain = [](const QString& text) { return text.toLatin1().toStdString(); };
    auto* frequencyBox = qobject_cast<QComboBox*>(control(ControlId::FrequencyBox));
    window.frequencyText = [frequencyBox, plain] {
        return frequencyBox ? plain(frequencyBox->currentText()) : std::string();
    };
    window.modeText = [this, plain] { return plain(m_modeBox->currentText()); };
    auto* freeText = qobject_cast<QLineEdit*>(control(ControlId::FreeText));
    window.freeText = [freeText, plain] { return freeText ? plain(freeText->text()) : std::string(); };
    window.gmt = [this] { return m_gmt; };
    return window;
}

void CMainWindow::ToggleTransmit()
{
    using Toggle = engine::TransmitMachine::Toggle;
    switch (m_state->ToggleTransmit()) {
        case Toggle::Started:
            m_keyboardEdit->setFocus(Qt::OtherFocusReason);
            break;
        case Toggle::Ending:
        case Toggle::Ended:
            focusEntryLine();
            break;
        case Toggle::Refused:
            break;
    }
}

void CMainWindow::sendTextFile(const QString& path)
{
    if (!m_state->keyboardBuffer().SendTextFile(path.toLocal8Bit().toStdString())) {
        m_prompter.inform(("Cannot open " + path).toLatin1().toStdString(), "Vexa");
    }
}

void CMainWindow::showAboutBox()
{
    QDialog about(this);
    about.setObjectName(QStringLiteral("aboutBox"));
    about.setWindowTitle(QStringLiteral("About Vexa32"));
    auto* layout = new QHBoxLayout(&about);
    auto* icon = new QLabel(&about);
    icon->setPixmap(windowIcon().pixmap(32, 32));
    layout->addWidget(icon);
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(latin1(kVersionString), &about));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    column->addWidget(buttons);
    layout->addLayout(column);
    about.exec();
}

void CMainWindow::OnOK()
{
    focusEntryLine();
}

void CMainWindow::OnCancel()
{
    // In any mode: a voice message must never be left playing with no way to stop it.
    m_state->voiceKeyer().stop();
    if (auto* status = qobject_cast<QLabel*>(control(ControlId::Status))) status->clear();
    focusEntryLine();
}

void CMainWindow::accept()
{
    OnOK();
}

void CMainWindow::reject()
{
    OnCancel();
}

void CMainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    CloseMainWindow();
}

void CMainWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!m_geometry) return;
    m_geometry->apply(size());
    if (m_state && m_spectrum)
        m_state->setSpectrumSize(m_spectrum->devicePixelSize().width(),
                                 m_spectrum->devicePixelSize().height());
}

void CMainWindow::CloseMainWindow()
{
    if (!m_log->confirmClose()) return;  // cancelled, or the save failed: nothing is lost
    m_timer.stop();
    m_state->endTransmissions();
    m_rig->stop();
    if (m_partner->commands().isOpen()) m_partner->commands().toggle();
    (void)m_country->save();
    if (Profile profile(m_globals.profileFile); !m_globals.profileFile.empty() && size() != m_profileSize)
        (void)writeWindowSize(profile, size());
    m_state->closeInput();
    m_end = WindowEnd::Close;
    done(QDialog::Accepted);
}

bool CMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Files dropped on the keyboard window are sent; the entry line takes none.
    if (watched == m_keyboardEdit->viewport() || watched == m_entryLine->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                if (watched == m_keyboardEdit->viewport())
                    drag->acceptProposedAction();
                else
                    drag->ignore();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasUrls()) {
                if (watched == m_keyboardEdit->viewport()) {
                    for (const QUrl& url : drop->mimeData()->urls()) {
                        if (url.isLocalFile()) {
                            sendTextFile(url.toLocalFile());  // the first file only
                            break;
                        }
                    }
                    drop->acceptProposedAction();
                } else {
                    drop->ignore();
                }
                return true;
            }
        }
    }
    switch (event->type()) {
        case QEvent::KeyPress:
            if (handleApplicationKey(watched, static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::FocusIn:
            if (watched == m_modeBox) m_globals.receivePaused = true;
            break;
        case QEvent::FocusOut:
            // A menu or a drop-down list opening leaves the focus where it is.
            if ((watched == m_modeBox || watched == m_receiveEdit) &&
                static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                m_globals.receivePaused = false;
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

bool CMainWindow::handleApplicationKey(QObject* watched, QKeyEvent* key)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    // A key of the table goes no further, handled or not: typed into the keyboard window
    // it would be sent on the air.
    if (const std::optional<ControlId> id = findAccelerator(key->key(), key->modifiers())) {
        OnCommand(*id, CommandOrigin::Accelerator);
        return true;
    }
    const auto mods = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
        // An open drop-down takes its own Enter.
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->view()->isVisible()) {
            return false;
        }
        OnOK();
        return true;
    }
    return false;
}

}  // namespace vexa::app::qt
