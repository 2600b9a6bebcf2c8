#include "rig/band_control.h"

#include <cstdint>

#include "common/band_plan.h"
#include "rig/frequency_entry.h"

namespace vexa::rig {
namespace {

// The satellite down-link segment of 10 m.
constexpr int kSatelliteLowHz = 29359000;
constexpr int kSatelliteHighHz = 29501000;

const BandEntry& band(int index)
{
    return kBandPlan[static_cast<std::size_t>(index)];
}

constexpr OperatingMode kCw = OperatingMode::Cw;
constexpr OperatingMode kUsb = OperatingMode::Usb;
constexpr OperatingMode kLsb = OperatingMode::Lsb;
constexpr OperatingMode kRtty = OperatingMode::Rtty;

}  // namespace

BandControl::BandControl(Transceiver& transceiver, BandControlHost& host, Prompter& prompter,
                         std::string appName)
    : m_trx(transceiver), m_host(host), m_prompter(prompter), m_appName(std::move(appName))
{
}

void BandControl::inform(const char* text)
{
    m_prompter.inform(text, m_appName);
}

bool BandControl::inSatelliteSegment() const
{
    const int f = m_trx.GetSignalFrequency();
    return f >= kSatelliteLowHz && f <= kSatelliteHighHz;
}

void BandControl::SelectBand(int index)
{
    if (index < 0 || index >= kBandCount) return;
    const BandEntry& b = band(index);
    const int current = FindBand(m_trx.GetSignalFrequency());
    OperatingMode m = m_host.operatingMode();
    if (m == OperatingMode::Am || m == OperatingMode::Fm) {
        m_host.SetOperatingMode(kCw);
        m = kCw;
    }
    using M = OperatingMode;
    switch (m) {
        case M::Cw:
            if (index != current) m_trx.TuneTransceiver(b.lowEdge * 1000 + 10000);
            break;
        case M::Usb:
        case M::Lsb:
        case M::Ssb:
            if (b.ssbStart == kNoSegment) {
                inform("No SSB here");
                m_host.SetOperatingMode(kCw);
            } else if (index != current || m_trx.GetSignalFrequency() < b.ssbStart * 1000) {
                m_trx.TuneTransceiver(b.ssbStart * 1000 + 10000);
            }
            break;
        case M::Sstv:
        case M::Fax:
            if (b.sstvLow == kNoSegment) {
                inform("No SSTV here");
                m_host.SetOperatingMode(kCw);
            } else {
                m_host.SetOperatingMode(m);
                m_trx.TuneTransceiver(b.sstvLow * 1000 + 5000);
            }
            break;
        case M::Rtty:
        case M::Psk31:
        case M::Qpsk:
        case M::Fsk31: {
            if (b.digitalLow == kNoSegment) {
                inform("No RTTY here");
                m_host.SetOperatingMode(kCw);
                break;
            }
            m_host.SetOperatingMode(m);
            const int f = m_trx.GetSignalFrequency();
            if (index != current || f < b.digitalLow * 1000 || f > b.digitalHigh * 1000)
                m_trx.TuneTransceiver(b.digitalLow * 1000 + 5000);
            break;
        }
        default:
            break;
    }
    m_satellite = false;
    m_host.refreshFrequencyMap(true);
}

void BandControl::BandButton(int index)
{
    SelectBand(index);
    m_host.focusEntryLine();
}

void BandControl::Button29()
{
    m_trx.TuneTransceiver(29300000);
    m_host.focusEntryLine();
}

// In the satellite segment a mode button sets both VFOs, the up-link first, and ends on A.
void BandControl::onBothVfos(const std::function<void()>& setMode)
{
    m_trx.SelectVfo(1);
    setMode();
    m_trx.SelectVfo(0);
    setMode();
}

void BandControl::SsbButton()
{
    if (inSatelliteSegment()) {
        onBothVfos([this] { m_trx.SetTransceiverMode(kTrxUsb); });
        return;
    }
    const int b = FindBand(m_trx.GetSignalFrequency());
    if (b < 0 || band(b).ssbStart == kNoSegment) {
        inform("No SSB here");
        return;
    }
    const OperatingMode m = m_host.operatingMode();
    if (m == kUsb || m == kLsb) {
        m_host.SetOperatingMode(m == kUsb ? kLsb : kUsb);
        return;
    }
    m_host.SetOperatingMode(m_trx.GetSignalFrequency() <= 10000000 ? kLsb : kUsb);
    if (m_trx.GetSignalFrequency() < band(b).ssbStart * 1000) SelectBand(b);
}

void BandControl::CwButton()
{
    if (inSatelliteSegment()) {
        onBothVfos([this] { m_host.SetOperatingMode(kCw); });
        return;
    }
    if (m_host.operatingMode() == kCw) return;
    m_host.SetOperatingMode(kCw);
    const int b = FindBand(m_trx.GetSignalFrequency());
    if (b >= 0 && m_trx.GetSignalFrequency() > band(b).ssbStart * 1000) SelectBand(b);
}

void BandControl::DigitalButton(OperatingMode mode)
{
    if (inSatelliteSegment()) {
        onBothVfos([this] { m_host.SetOperatingMode(kRtty); });
        return;
    }
    const int b = FindBand(m_trx.GetSignalFrequency());
    if (b < 0 || band(b).digitalLow == kNoSegment) {
        inform(mode == kRtty ? "No RTTY here" : "No PSK here");
        return;
    }
    m_host.SetOperatingMode(mode);
    SelectBand(b);
}

void BandControl::ModeButton()
{
    if (m_host.operatingMode() != kCw)
        CwButton();
    else
        SsbButton();
}

void BandControl::bandStep(int direction)
{
    const int b = FindBand(m_trx.GetSignalFrequency());
    if (b >= 0) {
        SelectBand((b + (direction > 0 ? 1 : kBandCount - 1)) % kBandCount);
    } else {
        // Outside every band: walk the dial in 10 kHz steps, round 0..29.7 MHz, to the next one.
        uint32_t dial = static_cast<uint32_t>(m_trx.GetSignalFrequency());
        m_trx.setDialFrequency(static_cast<int>(dial));
        while (FindBand(m_trx.GetSignalFrequency()) < 0) {
            dial = (direction > 0 ? dial + 10000U : dial - 10000U) % 29700000U;
            m_trx.setDialFrequency(static_cast<int>(dial));
        }
        m_trx.TuneTransceiver(static_cast<int>(dial));
    }
    m_satellite = false;
}

void BandControl::BandUp()
{
    bandStep(+1);
}

void BandControl::BandDown()
{
    bandStep(-1);
}

void BandControl::StepDown()
{
    m_trx.TuneTransceiver(m_trx.GetSignalFrequency() - 100);
}

void BandControl::StepUp()
{
    m_trx.TuneTransceiver(m_trx.GetSignalFrequency() + 100);
}

void BandControl::SatelliteSetup()
{
    // Downlink on VFO A in the 10 m satellite segment, uplink on VFO B on 15 m.
    m_trx.SelectVfo(0);
    m_trx.SetTransceiverMode(kTrxCw);
    m_trx.TuneTransceiver(29464000);
    m_trx.SelectVfo(1);
    m_trx.SetTransceiverMode(kTrxCw);
    m_trx.TuneTransceiver(21264000);
    m_trx.SelectVfo(0);
    m_satellite = true;
    m_host.focusEntryLine();
    m_host.refreshFrequencyMap(false);
}

void BandControl::SatelliteSplit(int offsetHz)
{
    m_splitOffset = offsetHz;
    m_host.moveSplitSlider(offsetHz);
    const int a = m_trx.GetSignalFrequency();
    int shift = 0;
    if (a >= kSatelliteLowHz && a <= kSatelliteHighHz) shift = -8200000;
    if (a >= 29457000 && a <= 29459000) shift = -8318000;
    const OperatingMode m = m_host.operatingMode();
    m_trx.SelectVfo(1);
    m_host.SetOperatingMode(std::nullopt);
    m_host.SetOperatingMode(m);
    m_trx.TuneTransceiver(a + shift + (m_down ? -offsetHz : offsetHz));
    m_trx.SelectVfo(0);
    m_trx.TuneTransceiver(a);
    m_host.SetOperatingMode(std::nullopt);
    m_host.SetOperatingMode(m);
}

void BandControl::SplitUp()
{
    m_down = false;
    SatelliteSplit(m_splitOffset);
}

void BandControl::SplitDown()
{
    m_down = true;
    SatelliteSplit(m_splitOffset);
}

void BandControl::SplitSliderReleased(int offsetHz)
{
    SatelliteSplit(offsetHz);
}

void BandControl::FrequencyFieldFocused()
{
    m_host.setReceivePaused(true);
}

void BandControl::FrequencyFieldSelected(const std::string& entry)
{
    // A short entry is no memory: ask the radio where it is instead.
    if (entry.size() < 3) m_trx.PollTransceiver();
    m_host.focusEntryLine();
}

void BandControl::FrequencyFieldLeft(const std::string& text)
{
    m_host.setReceivePaused(false);
    std::string t = text;
    if (t.find_first_of("-:") != std::string::npos) t.erase(0, t.size() < 4 ? t.size() : 4);
    if (t.empty()) {
        m_trx.ShowFrequency();
        return;
    }
    if (const auto hz = parseFrequencyEntry(t, m_trx.GetSignalFrequency())) m_trx.TuneTransceiver(*hz);
}

}  // namespace vexa::rig
