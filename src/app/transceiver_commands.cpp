#include "app/transceiver_commands.h"

#include <utility>

#include "app/control_id.h"
#include "common/profile.h"
#include "rig/serial_device.h"

namespace vexa::app {

TransceiverCommands::TransceiverCommands(ApplicationGlobals& globals, Prompter& prompter, const Clock& clock,
                                         Scheduler& scheduler,
                                         std::function<void(std::function<void()>)> post,
                                         TransceiverWindow window)
    : m_globals(globals),
      m_clock(clock),
      m_post(std::move(post)),
      m_window(std::move(window)),
      m_trx(*this, scheduler),
      m_bands(m_trx, *this, prompter, "Vexa"),
      m_marks(globals.logbook.marks),
      m_markCommands(m_marks, m_trx, *this, prompter, clock),
      m_markKeys(m_marks, prompter, m_markKeysHost),
      m_alive(std::make_shared<TransceiverCommands*>(this))
{
    m_mapImage.resize(m_geometry.width, m_geometry.height);
}

TransceiverCommands::~TransceiverCommands()
{
    *m_alive = nullptr;
    closeLink();
}

rig::TransceiverSettings TransceiverCommands::transceiverSettings() const
{
    const Settings& s = m_globals.settings;
    rig::TransceiverSettings t;
    t.type = static_cast<rig::TransceiverType>(s.type);
    t.digiSide = s.digiSide;
    t.ptt = s.catPtt != 0         ? rig::PttMethod::Cat
            : s.swapPttAndCw != 0 ? rig::PttMethod::Dtr
                                  : rig::PttMethod::Rts;
    return t;
}

void TransceiverCommands::openLink(rig::StopBitsRule stopBits)
{
    closeLink();
    const Settings& s = m_globals.settings;
    m_trx.configure(transceiverSettings());
    rig::LinkSettings link;
    link.type = static_cast<rig::TransceiverType>(s.type);
    link.comPort = s.comPort;
    link.comDevice = m_globals.profileFile.empty()
                         ? (s.comPort > 0 ? "/dev/ttyS" + std::to_string(s.comPort - 1) : std::string())
                         : rig::serialDevicePath(s.comPort, Profile(m_globals.profileFile));
    link.comSpeed = s.comSpeed;
    link.rigctld = s.rigctld;
    link.stopBits = stopBits;
    // The reader thread's notification: one queued call per burst, dropped once the
    // commands are gone.
    std::weak_ptr<TransceiverCommands*> alive = m_alive;
    rig::ByteChannel* channel = m_link.open(link, [this, alive] {
        m_post([alive] {
            if (const auto self = alive.lock(); self && *self) (*self)->m_trx.ComHandler();
        });
    });
    if (channel == nullptr && !m_link.error().empty()) m_window.alert(m_link.error());
    m_trx.setChannel(channel, s.comPort);
}

void TransceiverCommands::closeLink()
{
    m_trx.setChannel(nullptr, 0);
    m_link.close();
}

void TransceiverCommands::setHexMonitor(bool on)
{
    m_hexMonitor = on;
    m_trx.setHexMonitor(on);
}

void TransceiverCommands::markHere()
{
    const std::string label = m_window.selectedCall ? m_window.selectedCall() : std::string();
    m_markCommands.MarkThisFrequency(label, m_window.entryText ? m_window.entryText() : std::string());
}

void TransceiverCommands::storeOperatingMode(OperatingMode mode, bool selectInList)
{
    m_window.storeOperatingMode(mode, selectInList);
}

void TransceiverCommands::ShowFrequency()
{
    m_window.showFrequency();
    refreshFrequencyMap(false);
}

std::string TransceiverCommands::MarkKeysAdapter::entryWord0() const
{
    const std::string text = m_c.m_window.entryText();
    const auto begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return {};
    const auto end = text.find_first_of(" \t\r\n", begin);
    return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

void TransceiverCommands::setMapSize(int width, int height)
{
    if (width <= 0 || height <= 0) return;
    m_geometry.width = width;
    m_geometry.height = height;
    m_mapImage.resize(width, height);
    refreshFrequencyMap(true);
}

void TransceiverCommands::refreshFrequencyMap(bool force)
{
    if (!m_dial.update(m_trx.dialFrequency(), m_geometry.pixelsPerKhz, force)) return;
    const std::time_t now = m_clock.now();
    const display::FrequencyMapLayout layout = display::layoutFrequencyMap(
        m_geometry, m_dial, m_trx.GetSignalFrequency(), m_window.operatingMode(), m_marks, now);
    display::drawFrequencyMap(layout, m_geometry, m_mapImage);
    if (m_window.mapChanged) m_window.mapChanged();
    if (const auto text = m_nearest.update(layout.nearestMark, m_marks); text && m_window.showMarkText) {
        m_window.showMarkText(*text);
    }
}

void TransceiverCommands::addCommands(CommandTable& c)
{
    using I = ControlId;
    constexpr I bandIds[] = {I::Band1_8, I::Band3_5, I::Band7,  I::Band10, I::Band14,
                             I::Band18,  I::Band21,  I::Band24, I::Band28};
    for (int i = 0; i < 9; ++i) c[bandIds[i]] = [this, i] { m_bands.BandButton(i); };
    c[I::Band29] = [this] { m_bands.Button29(); };
    c[I::SsbButton] = [this] { m_bands.SsbButton(); };
    c[I::CwButton] = [this] { m_bands.CwButton(); };
    c[I::RttyButton] = [this] { m_bands.DigitalButton(OperatingMode::Rtty); };
    c[I::PskButton] = [this] { m_bands.DigitalButton(OperatingMode::Psk31); };
    c[I::QpskButton] = [this] { m_bands.DigitalButton(OperatingMode::Qpsk); };
    c[I::ModeStep] = [this] { m_bands.ModeButton(); };
    c[I::BandUp] = [this] { m_bands.BandUp(); };
    c[I::BandDown] = [this] { m_bands.BandDown(); };
    c[I::DialDown] = [this] { m_bands.StepDown(); };
    c[I::DialUp] = [this] { m_bands.StepUp(); };
    c[I::SatelliteSwitch] = [this] { m_bands.SatelliteSetup(); };
    // "&Up" / "&Down" and the direction radio buttons, which act only when they change it.
    const auto showDirection = [this] {
        m_window.showCheck(I::SplitUp, !m_bands.splitDown());
        m_window.showCheck(I::SplitDown, m_bands.splitDown());
    };
    c[I::SplitStepUp] = [this, showDirection] {
        m_bands.SplitUp();
        showDirection();
    };
    c[I::SplitStepDown] = [this, showDirection] {
        m_bands.SplitDown();
        showDirection();
    };
    c[I::SplitUp] = [this, showDirection] {
        if (m_bands.splitDown()) m_bands.SplitUp();
        showDirection();
    };
    c[I::SplitDown] = [this, showDirection] {
        if (!m_bands.splitDown()) m_bands.SplitDown();
        showDirection();
    };
    constexpr I splitStatics[] = {I::Split0, I::Split1, I::Split2, I::Split3, I::Split4, I::Split5,
                                  I::Split6, I::Split7, I::Split8, I::Split9, I::Split10};
    for (int i = 0; i <= 10; ++i) c[splitStatics[i]] = [this, i] { m_bands.SatelliteSplit(i * 1000); };
    c[I::Hex] = [this] {
        setHexMonitor(!m_hexMonitor);
        m_window.showCheck(I::Hex, m_hexMonitor);
    };
    // Frequency marks: Alt+Insert, Alt+Delete, Alt+Page Down, Alt+Page Up.
    c[I::MarkHere] = [this] { markHere(); };
    c[I::MarkDelete] = [this] { m_markCommands.DeleteMarksHere(); };
    c[I::MarkNext] = [this] { m_markCommands.NextMark(); };
    c[I::MarkPrevious] = [this] { m_markCommands.PreviousMark(); };
    // Ctrl+1..Ctrl+0 store marks 0..9, Alt+1..Alt+0 return to them.
    for (int n = 0; n < macros::MarkKeys::kMarks; ++n) {
        // Keys only: Ctrl+3 shares its number with the "Send" button, Alt+8 with "&Help".
        c.accelerator(nthId(I::FirstStoreMark, n)) = [this, n] { m_markKeys.StoreMark(n); };
        c.accelerator(nthId(I::FirstRecallMark, n)) = [this, n] { m_markKeys.RecallMark(n); };
    }
}

}  // namespace vexa::app
