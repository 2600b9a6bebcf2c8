#include "app/qt/main_window.h"

#include <sys/resource.h>

#include <array>
#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/qt/accelerator_table.h"
#include "app/qt/control_layout.h"
#include "app/qt/qt_prompter.h"
#include "app/qt/qt_text_window.h"
#include "common/operating_mode.h"
#include "common/profile.h"
#include "common/version.h"
#include "engine/audio/null_wave_backend.h"
#include "ui/frequency_readouts.h"
#include "ui/spectrum_widget.h"

namespace vexa::app::qt {

namespace {

constexpr int kTickMs = 55;
constexpr int kRichEditTextLimit = 1000000;

// Split offsets of the statics "0" to "10", in the order of their ids' kHz.
constexpr std::array<int, 11> kSplitStaticIds = {1162, 1152, 1147, 1153, 1148, 1154,
                                                 1149, 1155, 1150, 1156, 1151};

class SystemClock final : public Clock {
public:
    std::time_t now() const override { return std::time(nullptr); }
};

// A caption or picture that reports clicks like a notifying static.
class ClickLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && onClick) onClick();
        QLabel::mousePressEvent(event);
    }
};

// Dialog-unit base of a font: the average width of the Latin letters and the line height.
struct DialogBase {
    int cx;
    int cy;
};

DialogBase dialogBase(const QFont& font)
{
    const QFontMetrics fm(font);
    const int letters =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, fm.height()};
}

QRect toPixels(const DluRect& r, DialogBase base)
{
    auto px = [&](int v) { return (v * base.cx + 2) / 4; };
    auto py = [&](int v) { return (v * base.cy + 4) / 8; };
    return {px(r.x), py(r.y), px(r.x + r.w) - px(r.x), py(r.y + r.h) - py(r.y)};
}

QString latin1(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

CMainWindow::CMainWindow(ApplicationGlobals& globals, MainWindowServices services, QWidget* parent)
    : QDialog(parent),
      m_globals(globals),
      m_transceiver(services.transceiver ? *services.transceiver : m_noTransceiver),
      m_ownPrompter(services.prompter ? nullptr : std::make_unique<QtPrompter>(this)),
      m_prompter(services.prompter ? *services.prompter : *m_ownPrompter),
      m_ownClock(services.clock ? nullptr : std::make_unique<SystemClock>()),
      m_clock(services.clock ? *services.clock : *m_ownClock),
      m_soundBackend(services.sound)
{
    setWindowTitle(QStringLiteral("VEXA32"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildCommandTable();
    buildControls();
    if (m_soundBackend == nullptr) {
        m_ownSoundBackend = std::make_unique<engine::NullWaveBackend>();
        m_soundBackend = m_ownSoundBackend.get();
    }
    // Sound-card events arrive on the device's thread and are handled on this one; events
    // still queued when the window goes are dropped with it.
    m_state = std::make_unique<OperatingState>(
        globals, m_transceiver, *m_keyboardWindow, *m_soundBackend, [this](const engine::WaveEvent& e) {
            QMetaObject::invokeMethod(
                this, [this, e] { OnWaveEvent(e); }, Qt::QueuedConnection);
        });
    m_spectrum = new ui::SpectrumWidget(this, *m_state);
    m_spectrum->setObjectName(QStringLiteral("1170"));
    m_spectrum->setAccessibleName(QStringLiteral("&0"));
    m_spectrum->setGeometry(m_spectrumRect);
    m_spectrum->lower();
    m_controls[1170] = m_spectrum;
    m_state->setSpectrumSize(m_spectrumRect.width(), m_spectrumRect.height());
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

QWidget* CMainWindow::control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QTextEdit* CMainWindow::richEdit(int id) const
{
    return qobject_cast<QTextEdit*>(control(id));
}

void CMainWindow::buildControls()
{
    const bool large = m_globals.mainWindowTemplate == kLargeTemplate;
    const DialogBase base = dialogBase(font());
    const TemplateSize size = templateSize(m_globals.mainWindowTemplate);
    const QRect client = toPixels({0, 0, size.w, size.h}, base);
    setFixedSize(client.size());

    for (const ControlSpec& spec : mainWindowControls()) {
        const DluRect& dlu = large ? spec.large : spec.normal;
        if (dlu.w == 0) continue;  // not part of this layout
        const char* captionText = large && spec.largeCaption ? spec.largeCaption : spec.caption;
        const QString caption = captionText ? QString::fromLatin1(captionText) : QString();
        QRect rect = toPixels(dlu, base);
        QWidget* w = nullptr;
        switch (spec.kind) {
            case ControlKind::RichEditLine:
            case ControlKind::RichEdit: {
                auto* edit = new QTextEdit(this);
                edit->setAcceptRichText(false);
                edit->setTabChangesFocus(true);
                if (spec.kind == ControlKind::RichEditLine) {
                    edit->setLineWrapMode(QTextEdit::NoWrap);
                    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                    edit->document()->setDocumentMargin(1);
                } else {
                    edit->document()->setDocumentMargin(2);
                }
                w = edit;
                break;
            }
            case ControlKind::ListBox:
                w = new QListWidget(this);
                break;
            case ControlKind::MapPicture: {
                auto* map = new ClickLabel(this);
                map->onClick = [this, id = spec.id] { OnCommand(id); };
                map->setStyleSheet(QStringLiteral("background-color: rgb(0,0,64);"));
                // The 128 x 128 picture is scaled into the place the layout gives it, so that
                // it lines up with the controls whatever the font.
                map->setScaledContents(true);
                w = map;
                break;
            }
            case ControlKind::Spectrum:
                // Needs the operating state, which needs the keyboard window: made afterwards.
                m_spectrumRect = rect;
                continue;
            case ControlKind::FrequencyMap: {
                auto* surface = new QWidget(this);
                surface->setAutoFillBackground(true);
                QPalette pal = surface->palette();
                pal.setColor(QPalette::Window, Qt::darkGray);
                surface->setPalette(pal);
                surface->setAccessibleName(caption);
                w = surface;
                break;
            }
            case ControlKind::DropList:
            case ControlKind::DropCombo: {
                auto* combo = new QComboBox(this);
                combo->setEditable(spec.kind == ControlKind::DropCombo);
                rect.setHeight(toPixels({0, 0, 0, 12}, base).height());
                w = combo;
                break;
            }
            case ControlKind::Button: {
                auto* button = new QPushButton(caption, this);
                button->setAutoDefault(false);
                button->setDefault(false);
                w = button;
                break;
            }
            case ControlKind::CheckBox:
                w = new QCheckBox(caption, this);
                break;
            case ControlKind::Edit:
                w = new QLineEdit(this);
                break;
            case ControlKind::Spin: {
                // A vertical scroll bar steps like an up-down control whose up arrow lowers the
                // value: here the Morse element length, so up means faster.
                auto* spin = new QScrollBar(Qt::Vertical, this);
                spin->setRange(10, 100);
                w = spin;
                break;
            }
            case ControlKind::Static:
            case ControlKind::Label:
                w = new QLabel(caption, this);
                break;
            case ControlKind::Radio:
                w = new QRadioButton(caption, this);
                break;
            case ControlKind::ClickStatic: {
                auto* label = new ClickLabel(caption, this);
                label->onClick = [this, id = spec.id] { OnCommand(id); };
                w = label;
                break;
            }
            case ControlKind::Trackbar:
                w = new QSlider(Qt::Horizontal, this);
                break;
        }
        w->setGeometry(rect);
        if (spec.id != 0) {
            w->setObjectName(QString::number(spec.id));
            m_controls[spec.id] = w;
        } else {
            w->setObjectName(QStringLiteral("label") + caption);
        }
        w->setVisible(spec.placement != Placement::Hidden);
    }

    m_entryLine = richEdit(1002);
    m_receiveEdit = richEdit(1009);
    m_keyboardEdit = richEdit(1108);
    m_logEdit = richEdit(1007);
    m_alertEdit = richEdit(1169);
    m_modeBox = qobject_cast<QComboBox*>(control(1106));
    m_timeButton = qobject_cast<QPushButton*>(control(1003));
    m_dxList = qobject_cast<QListWidget*>(control(1164));
    m_receiveEdit->setReadOnly(true);
    m_receiveEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_alertEdit->setReadOnly(true);
    m_alertEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_alertEdit->setLineWrapMode(QTextEdit::NoWrap);
    m_alertEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_alertEdit->document()->setDocumentMargin(1);

    for (std::string_view name : kOperatingModeNames) m_modeBox->addItem(latin1(name));
    auto* frequencyBox = qobject_cast<QComboBox*>(control(1105));
    for (int i = 0; i < 10; ++i) frequencyBox->addItem(QStringLiteral("-"));

    m_receiveWindow = std::make_unique<QtTextWindow>(*m_receiveEdit, kRichEditTextLimit);
    m_alertLine = std::make_unique<QtTextWindow>(*m_alertEdit);
    m_keyboardWindow = std::make_unique<QtTextWindow>(*m_keyboardEdit);

    buildSystemMenu();
}

void CMainWindow::buildSystemMenu()
{
    // The window manager's menu cannot be extended from here, so the same entries sit on
    // a small menu button in the map picture's corner.
    m_menuButton = new QToolButton(this);
    m_menuButton->setObjectName(QStringLiteral("systemMenu"));
    m_menuButton->setText(QStringLiteral("\u2261"));
    m_menuButton->setToolTip(QStringLiteral("Menu"));
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->setAutoRaise(true);
    m_menuButton->setFocusPolicy(Qt::NoFocus);
    auto* menu = new QMenu(m_menuButton);
    QAction* setup = menu->addAction(QStringLiteral("&Setup"), this, [this] { OnCommand(kCmdSetup); });
    setup->setEnabled(isRouted(kCmdSetup));
    menu->addAction(QStringLiteral("&About  Vexa32"), this, [this] { OnCommand(kCmdAbout); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Close"), this, [this] { CloseMainWindow(); });
    m_menuButton->setMenu(menu);
    m_menuButton->setStyleSheet(
        QStringLiteral("QToolButton { color: white; font-weight: bold; }"
                       "QToolButton::menu-indicator { image: none; }"));
    const QRect map = control(1163)->geometry();
    m_menuButton->setGeometry(map.right() - 17, map.top() + 1, 17, 17);
    m_menuButton->raise();
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
    auto* spin = qobject_cast<QScrollBar*>(control(1122));
    connect(spin, &QScrollBar::valueChanged, this, [this](int position) {
        const int delta = position - m_spinPosition;
        m_spinPosition = position;
        m_state->cwSpeed().addToElementLength(delta);
        m_jr = 0;
        if (auto* jr = qobject_cast<QCheckBox*>(control(1123))) jr->setChecked(false);
    });
    // Received text waits while the operator drags any scroll bar of the window.
    for (QScrollBar* bar : findChildren<QScrollBar*>()) {
        if (bar == spin) continue;
        connect(bar, &QScrollBar::sliderPressed, this, [this] { m_globals.receivePaused = true; });
        connect(bar, &QScrollBar::sliderReleased, this, [this] { m_globals.receivePaused = false; });
    }
}

int CMainWindow::run()
{
    if (!OnInitDialog()) return m_endResult;
    if (m_ended) return m_endResult;
    return exec();
}

bool CMainWindow::OnInitDialog()
{
    const std::optional<Profile> profile =
        m_globals.profileFile.empty() ? std::nullopt : std::optional<Profile>(m_globals.profileFile);
    Settings& settings = m_globals.settings;

    // A profile that asks for the large layout: end at once and be rebuilt in it.
    if (profile) settings.readLayout(*profile);
    if (m_globals.settings.largeScreen != 0 && m_globals.mainWindowTemplate == kNormalTemplate) {
        m_globals.mainWindowTemplate = kLargeTemplate;
        m_ended = true;
        m_endResult = kResultRebuild;
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
    m_state->setInversion(m_inv != 0);
    m_state->setAfc(m_afc != 0);
    m_state->setNet(m_net != 0);

    focusEntryLine();

    auto* spin = qobject_cast<QScrollBar*>(control(1122));
    spin->blockSignals(true);
    spin->setValue(m_state->cwSpeed().elementLength());
    m_spinPosition = spin->value();
    spin->blockSignals(false);
    auto* slider = qobject_cast<QSlider*>(control(1129));
    slider->setRange(0, 10000);
    slider->setTickInterval(1000);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setPageStep(500);
    slider->setValue(0);

    if (profile) settings.readText(*profile);
    m_state->ApplySettings();
    setUpRichEdits();

    SetOperatingMode(OperatingMode::Psk31);
    m_state->ApplyAudioEnabled(m_audioEnabled != 0);

    char caption[256];
    std::snprintf(caption, sizeof caption, "%s [%s]", std::string(kVersionString).c_str(),
                  m_globals.settings.station.call.c_str());
    setWindowTitle(QString::fromLatin1(caption));

    // Controls bound to members show their values.
    auto setCheck = [this](int id, int value) {
        if (auto* box = qobject_cast<QCheckBox*>(control(id))) box->setChecked(value != 0);
    };
    setCheck(1102, m_hexMonitor);
    setCheck(1123, m_jr);
    setCheck(1125, m_com);
    setCheck(1127, m_gmt);
    setCheck(1180, m_afc);
    setCheck(1181, m_net);
    setCheck(1182, m_audioEnabled);
    setCheck(1188, m_inv);
    qobject_cast<QRadioButton*>(control(1103))->setChecked(m_splitDirection == 0);
    qobject_cast<QRadioButton*>(control(1157))->setChecked(m_splitDirection == 1);
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

    for (QTextEdit* edit : {m_entryLine, m_receiveEdit, m_keyboardEdit, m_alertEdit}) {
        edit->setCurrentCharFormat(m_normalFormat);
    }
}

void CMainWindow::SetOperatingMode(OperatingMode mode)
{
    m_state->SetOperatingMode(mode);
    ShowFrequency();
    if (m_modeBox->currentIndex() != modeIndex(mode)) m_modeBox->setCurrentIndex(modeIndex(mode));
}

void CMainWindow::ShowFrequency()
{
    ui::showFrequencyReadouts(qobject_cast<QComboBox*>(control(1105)),
                              qobject_cast<QLineEdit*>(control(1189)), m_state->GetSignalFrequency(),
                              m_state->carrierFrequency());
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

void CMainWindow::OnWaveEvent(const engine::WaveEvent& event)
{
    const WaveEventResult result = m_state->OnWaveEvent(event);
    if (result.spectrumCaptured) m_spectrum->blockDispatched();
    if (result.frequencyChanged) ShowFrequency();
}

void CMainWindow::ClockTick()
{
    const TickResult r = m_state->ClockTick({*m_receiveWindow, *m_alertLine}, m_clock.now(), m_gmt != 0);
    if (r.cwSpeedChanged) showCwSpeed();
    if (r.clockChanged) {
        m_timeButton->setText(QString::fromStdString(m_state->clock().text()));
        if (r.invalidateSpectrum) m_spectrum->draw();
    }
    // With no window of ours focused, look the current call up again when the focus returns.
    if (QApplication::focusWidget() == nullptr) m_globals.lastLookupCall.clear();
}

void CMainWindow::showCwSpeed()
{
    auto* speed = qobject_cast<QLineEdit*>(control(1121));
    speed->setText(QString::number(m_state->cwSpeed().speed()));
    if (auto* jr = qobject_cast<QCheckBox*>(control(1123))) jr->setChecked(m_jr != 0);
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
    auto toggle = [this](int id, int& value) {
        value ^= 1;
        if (auto* box = qobject_cast<QCheckBox*>(control(id))) box->setChecked(value != 0);
    };
    auto& c = m_commands;
    // System menu, window and log.
    c[kCmdAbout] = [this] { showAboutBox(); };
    c[1004] = [this] { CloseMainWindow(); };  // "Close"
    c[1202] = [this] {                        // "Send": a text file into the keyboard window
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Send"));
        if (!path.isEmpty()) sendTextFile(path);
        m_keyboardEdit->setFocus(Qt::OtherFocusReason);
    };
    c[1145] = c[1332] = [this] { toggleDxListView(); };  // "DXC"
    // Check boxes bound to members.
    c[1102] = [this, toggle] { toggle(1102, m_hexMonitor); };  // "Hex"
    c[1123] = [this, toggle] {                                 // "JR"
        toggle(1123, m_jr);
        m_state->cwSpeed().markChanged();
    };
    c[1125] = [this] { m_com = qobject_cast<QCheckBox*>(control(1125))->isChecked() ? 1 : 0; };
    c[1127] = [this, toggle] { toggle(1127, m_gmt); };  // "GMT": nothing is redrawn
    c[1180] = [this, toggle] {                          // "afc"
        toggle(1180, m_afc);
        m_state->setAfc(m_afc != 0);
    };
    c[1181] = [this, toggle] {  // "net"
        toggle(1181, m_net);
        m_state->setNet(m_net != 0);
    };
    c[1188] = [this, toggle] {  // "inv"
        toggle(1188, m_inv);
        m_state->setInversion(m_inv != 0);
        ShowFrequency();
    };
    // Split direction radio buttons (the split steps themselves belong to the band plan).
    c[1103] = [this] { m_splitDirection = 0; };
    c[1157] = [this] { m_splitDirection = 1; };
    // Sound card and transmit path.
    c[1182] = [this, toggle] {  // "spec": the sound-card switch
        toggle(1182, m_audioEnabled);
        m_state->ApplyAudioEnabled(m_audioEnabled != 0);
    };
    c[1330] = [this] { m_state->ApplyAudioEnabled(m_audioEnabled != 0); };  // Ctrl+Shift+S
    c[1331] = [this] { ToggleTransmit(); };                                 // Pause, Alt+X
    c[1333] = [this] {                                                      // Ctrl+Shift+Alt+B
        m_state->SetRtty100Baud();
        m_modeBox->setCurrentIndex(modeIndex(m_state->operatingMode()));
    };
    // Spectrum window.
    c[1351] = [this] { m_spectrum->stepCarrier(+1.0); };  // Alt+Right
    c[1352] = [this] { m_spectrum->stepCarrier(-1.0); };  // Alt+Left
    c[1353] = [this] { m_spectrum->stepDisplayType(); };  // Alt+W
    // Keys that do nothing but must not reach a control.
    c[136] = c[1339] = c[1340] = [] {};
}

bool CMainWindow::isRouted(int id) const
{
    // The function keys queue voice messages in the SSB modes; sending macro text in the
    // other modes belongs to the macro store.
    if (id >= kCmdFirstMacro && id <= kCmdLastMacro) return vexa::isVoiceMode(m_state->operatingMode());
    return m_commands.count(id) != 0;
}

bool CMainWindow::OnCommand(int id)
{
    if (id >= kCmdFirstMacro && id <= kCmdLastMacro) {
        if (!vexa::isVoiceMode(m_state->operatingMode())) return false;
        m_state->voiceKeyer().queueMessage(id - kCmdFirstMacro);
        m_keyboardEdit->setFocus(Qt::OtherFocusReason);
        return true;
    }
    const auto it = m_commands.find(id);
    if (it == m_commands.end()) return false;
    it->second();
    return true;
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

void CMainWindow::toggleDxListView()
{
    m_viewFlags ^= 1;
    const bool dx = dxListViewActive();
    m_logEdit->setVisible(!dx);
    m_receiveEdit->setVisible(!dx);
    m_dxList->setVisible(dx);
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
    if (m_state->operatingMode() == OperatingMode::Ssb) m_state->voiceKeyer().clearQueue();
    if (auto* status = qobject_cast<QLabel*>(control(1173))) status->clear();
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

void CMainWindow::CloseMainWindow()
{
    if (m_entryState != 0) {
        const Prompter::Answer answer = m_prompter.askYesNoCancel("Text is not saved!\r\nSave?", "");
        if (answer == Prompter::Answer::Cancel) return;
        // Without a log to save into, "Yes" must not lose the entry: the window stays open.
        if (answer == Prompter::Answer::Yes && !OnCommand(1001)) return;
    }
    m_timer.stop();
    m_state->CloseInput();
    m_ended = true;
    m_endResult = kResultCancel;
    done(kResultCancel);
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
            if (watched == m_modeBox || watched == m_receiveEdit) m_globals.receivePaused = false;
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
    if (const std::optional<int> id = findAccelerator(key->key(), key->modifiers())) {
        if (isRouted(*id)) {
            OnCommand(*id);
            return true;
        }
        return false;
    }
    if (key->key() == Qt::Key_Backspace && widget == m_keyboardEdit) m_keyboardWindow->countBackspace();
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
