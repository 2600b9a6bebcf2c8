// The transceiver in the main window: the link the settings name (opened at start, closed
// at the end), the Transceiver that talks through it, the band and mode buttons, the dial
// steps, the satellite split, the frequency field, the hex monitor switch and the frequency
// marks with the map that shows them. The window lends its controls through
// TransceiverWindow; the wake and the scheduler come from the GUI toolkit.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/application_globals.h"
#include "app/command_table.h"
#include "app/control_id.h"
#include "common/frequency_marks.h"
#include "common/operating_mode.h"
#include "common/ports.h"
#include "common/scheduler.h"
#include "display/frequency_map.h"
#include "display/indexed_image.h"
#include "macros/mark_keys.h"
#include "rig/band_control.h"
#include "rig/mark_commands.h"
#include "rig/transceiver.h"
#include "rig/transceiver_link.h"

namespace vexa::app {

// What the window lends the transceiver commands.
struct TransceiverWindow {
    std::function<OperatingMode()> operatingMode;
    std::function<double()> carrierAudioHz;
    // A mode the radio reported, without sending it back.
    std::function<void(OperatingMode mode, bool selectInList)> storeOperatingMode;
    std::function<void(std::optional<OperatingMode> mode)> setOperatingMode;  // the full switch
    std::function<void()> showFrequency;                                      // the "&Fq:" and "Hz" fields
    std::function<void(std::string_view)> appendToEntryLine;
    std::function<void(std::string_view)> alert;
    std::function<void()> focusEntryLine;
    std::function<void(int offsetHz)> moveSplitSlider;
    std::function<std::string()> entryText;
    std::function<std::string()> selectedCall;  // the mark's label when set (a DX spot)
    std::function<void()> clearEntryLine;
    std::function<std::string()> frequencyText;  // the "&Fq:" box
    std::function<void(int n, const std::string& text)> setFrequencyListItem;
    std::function<void(int n)> deleteFrequencyListItem;
    std::function<void(ControlId box, bool on)> showCheck;
    // The frequency map image and the nearest mark's text changed.
    std::function<void()> mapChanged;
    std::function<void(const display::MarkText&)> showMarkText;
};

class TransceiverCommands final : private rig::TransceiverHost, private rig::BandControlHost {
public:
    // post: runs a call on the GUI thread later (any thread may call it).
    TransceiverCommands(ApplicationGlobals& globals, Prompter& prompter, const Clock& clock,
                        Scheduler& scheduler, std::function<void(std::function<void()>)> post,
                        TransceiverWindow window);
    ~TransceiverCommands() override;
    TransceiverCommands(const TransceiverCommands&) = delete;
    TransceiverCommands& operator=(const TransceiverCommands&) = delete;

    void addCommands(CommandTable& commands);

    // Opens the link the settings name; a failure is said in the alert line.
    void openLink(rig::StopBitsRule stopBits = rig::StopBitsRule::StartUp);
    void closeLink();

    // The serial line is open now.
    bool serialOpen() const noexcept { return m_link.serialOpen(); }
    // The baud rate of the serial line's last successful opening; 0 when it never opened.
    int serialBaudRate() const noexcept
    {
        return m_link.serialSettings().device.empty() ? 0 : m_link.serialSettings().baudRate;
    }

    rig::Transceiver& transceiver() noexcept { return m_trx; }
    rig::BandControl& bands() noexcept { return m_bands; }
    FrequencyMarks& marks() noexcept { return m_marks; }
    void setHexMonitor(bool on);
    // Alt+Insert: marks the frequency, labelled with the selected DX spot or as asked.
    void markHere();
    bool hexMonitor() const noexcept { return m_hexMonitor; }

    // The frequency map as last drawn (palette: 0 background, 1 ink).
    const display::IndexedImage& mapImage() const noexcept { return m_mapImage; }
    void setMapSize(int width, int height);
    // Redraws the map when forced or the dial moved; says the nearest mark's text when it
    // changed.
    void refreshFrequencyMap(bool force) override;

private:
    // rig::TransceiverHost
    OperatingMode operatingMode() const override { return m_window.operatingMode(); }
    double carrierAudioHz() const override { return m_window.carrierAudioHz(); }
    void storeOperatingMode(OperatingMode mode, bool selectInList) override;
    void ShowFrequency() override;
    void AppendToEntryLine(std::string_view text) override { m_window.appendToEntryLine(text); }
    void alert(std::string_view text) override { m_window.alert(text); }
    // rig::BandControlHost
    void SetOperatingMode(std::optional<OperatingMode> mode) override { m_window.setOperatingMode(mode); }
    void focusEntryLine() override { m_window.focusEntryLine(); }
    void moveSplitSlider(int offsetHz) override { m_window.moveSplitSlider(offsetHz); }
    void setReceivePaused(bool paused) override { m_globals.receivePaused = paused; }
    // The digit keys' marks.
    class MarkKeysAdapter final : public macros::MarkKeysHost {
    public:
        explicit MarkKeysAdapter(TransceiverCommands& c) : m_c(c) {}
        int signalFrequency() const override { return m_c.m_trx.GetSignalFrequency(); }
        OperatingMode operatingMode() const override { return m_c.m_window.operatingMode(); }
        void SetOperatingMode(OperatingMode mode) override { m_c.m_window.setOperatingMode(mode); }
        void TuneTransceiver(int signalHz) override { m_c.m_trx.TuneTransceiver(signalHz); }
        void refreshFrequencyMap(bool force) override { m_c.refreshFrequencyMap(force); }
        std::string entryWord0() const override;
        std::string entryLineText() const override { return m_c.m_window.entryText(); }
        void clearEntryLine() override { m_c.m_window.clearEntryLine(); }
        std::string frequencyComboText() const override { return m_c.m_window.frequencyText(); }
        void deleteComboItem(int n) override { m_c.m_window.deleteFrequencyListItem(n); }
        void setComboItem(int n, const std::string& text) override
        {
            m_c.m_window.setFrequencyListItem(n, text);
        }
        void clearLastLookupCall() override {}

    private:
        TransceiverCommands& m_c;
    };

    rig::TransceiverSettings transceiverSettings() const;

    ApplicationGlobals& m_globals;
    const Clock& m_clock;
    std::function<void(std::function<void()>)> m_post;
    TransceiverWindow m_window;
    rig::Transceiver m_trx;
    rig::TransceiverLink m_link;
    rig::BandControl m_bands;
    FrequencyMarks& m_marks;  // the logbook's: logged contacts are marked there too
    rig::MarkCommands m_markCommands;
    MarkKeysAdapter m_markKeysHost{*this};
    macros::MarkKeys m_markKeys;
    bool m_hexMonitor = false;
    display::FrequencyMapGeometry m_geometry;
    display::FrequencyMapDial m_dial;
    display::IndexedImage m_mapImage;
    display::NearestMarkText m_nearest;
    // Wakes posted by the reader thread check this, so none reaches a closed window.
    std::shared_ptr<TransceiverCommands*> m_alive;
};

}  // namespace vexa::app
