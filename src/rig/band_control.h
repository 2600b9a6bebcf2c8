// The band buttons, the mode buttons, band up and down, the 100 Hz steps, the satellite
// set-up with its split and the frequency field: where in the band plan the station goes
// for the mode it works in. Tunes through the Transceiver; GUI thread.
#pragma once

#include <functional>
#include <string>

#include "common/operating_mode.h"
#include "common/ports.h"
#include "rig/band_control_host.h"
#include "rig/transceiver.h"

namespace vexa::rig {

class BandControl {
public:
    BandControl(Transceiver& transceiver, BandControlHost& host, Prompter& prompter, std::string appName);

    void SelectBand(int index);
    void BandButton(int index);  // "1.8" .. "28"
    void Button29();
    void SsbButton();
    void CwButton();
    // RTTY (4), PSK (9) and QPSK (10).
    void DigitalButton(OperatingMode mode);
    void ModeButton();
    void BandUp();
    void BandDown();
    void StepDown();  // "&<": 100 Hz down
    void StepUp();

    void SatelliteSetup();  // "RS"
    void SatelliteSplit(int offsetHz);
    void SplitUp();    // "&Up"
    void SplitDown();  // "&Down"
    void SplitSliderReleased(int offsetHz);
    bool satelliteFlag() const noexcept { return m_satellite; }
    bool splitDown() const noexcept { return m_down; }

    // The frequency field: getting the focus, choosing a list entry, losing the focus.
    void FrequencyFieldFocused();
    void FrequencyFieldSelected(const std::string& entry);
    void FrequencyFieldLeft(const std::string& text);

private:
    bool inSatelliteSegment() const;
    void bandStep(int direction);
    void onBothVfos(const std::function<void()>& setMode);
    void inform(const char* text);

    Transceiver& m_trx;
    BandControlHost& m_host;
    Prompter& m_prompter;
    std::string m_appName;
    bool m_satellite = false;
    bool m_down = false;
    int m_splitOffset = 0;
};

}  // namespace vexa::rig
