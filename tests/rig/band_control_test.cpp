// The band, mode and frequency controls on a recording IC-735 link: where each button
// takes the station, and what the radio is told.
#include "rig/band_control.h"

#include <gtest/gtest.h>

#include "rig/frequency_entry.h"
#include "rig/mark_commands.h"
#include "support/fixed_clock.h"
#include "support/recording_byte_channel.h"
#include "support/recording_transceiver_host.h"
#include "support/scripted_prompter.h"

namespace vexa::rig {
namespace {

struct Station : BandControlHost {
    test::RecordingTransceiverHost trxHost;
    test::ImmediateScheduler scheduler;
    test::RecordingByteChannel link;
    test::ScriptedPrompter prompter;
    Transceiver trx{trxHost, scheduler};
    BandControl controls{trx, *this, prompter, "Vexa"};
    int mapRefreshes = 0;
    int sliderHz = -1;

    explicit Station(int mode, int dialHz)
    {
        trx.configure({TransceiverType::Ic735, 0, PttMethod::Rts});
        trx.setChannel(&link, 1);
        trxHost.mode = *operatingModeFromIndex(mode);
        trx.setDialFrequency(dialHz);
    }
    // The tables below name modes by their mode-box index.
    int mode() const { return modeIndex(trxHost.mode); }
    OperatingMode operatingMode() const override { return trxHost.mode; }
    void SetOperatingMode(std::optional<OperatingMode> mode) override
    {
        if (!mode) return;  // "no mode": the next switch sends its mode anyway here
        trxHost.mode = *mode;
        static constexpr int kCode[] = {3, 1, 0, -1, 4, 1, 1, 2, 5, 4, 4, 4};
        if (kCode[modeIndex(*mode)] >= 0) trx.SetTransceiverMode(kCode[modeIndex(*mode)]);
    }
    void refreshFrequencyMap(bool) override { ++mapRefreshes; }
    void focusEntryLine() override {}
    void moveSplitSlider(int hz) override { sliderHz = hz; }
    void setReceivePaused(bool) override {}

    int signal() const { return trx.GetSignalFrequency(); }
    // The CI-V commands sent, as "VFO A", "CW", "14070150".
    std::vector<std::string> commands() const
    {
        std::vector<std::string> out;
        for (const auto& b : link.blocks) {
            if (b.size() < 6) continue;
            if (b[4] == 0x07) out.push_back(b.size() == 7 ? (b[5] == 0 ? "VFO A" : "VFO B") : "VFO");
            if (b[4] == 0x06)
                out.push_back(b[5] == 3 ? "CW" : b[5] == 1 ? "USB" : b[5] == 0 ? "LSB" : "mode?");
            if (b[4] == 0x05) {
                long long hz = 0;
                for (int i = 8; i >= 5; --i) hz = hz * 100 + (b[i] >> 4) * 10 + (b[i] & 15);
                out.push_back(std::to_string(hz));
            }
        }
        return out;
    }
};

TEST(BandControl, BandButtonsGoWhereTheModeWorks)
{
    const struct {
        int mode;
        int dialHz;
        int button;
        int signalAfter;
        int modeAfter;
        const char* message;
    } cases[] = {
        {0, 14025000, 4, 14025000, 0, nullptr},  // CW within the band: stays
        {0, 14025000, 2, 7010000, 0, nullptr},   // CW to another band: 10 kHz above its edge
        {2, 7020000, 2, 7050000, 2, nullptr},    // LSB below the SSB segment
        {2, 7060000, 2, 7060000, 2, nullptr},    // LSB inside it: stays
        {9, 14069000, 4, 14070000, 9, nullptr},  // PSK31 in the digital segment (signal +1000)
        {9, 14199000, 4, 14065000, 9, nullptr},  // PSK31 outside it
        {5, 14230000, 3, 14230000, 0, "No SSTV here"},
        {4, 14080000, 3, 10145000, 4, nullptr},  // RTTY on 30 m
        {1, 14250000, 3, 14250000, 0, "No SSB here"},
        {7, 14250000, 2, 7010000, 0, nullptr},  // AM becomes CW first
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " dial " << c.dialHz << " band " << c.button);
        Station st(c.mode, c.dialHz);
        st.controls.BandButton(c.button);
        EXPECT_EQ(st.signal(), c.signalAfter);
        EXPECT_EQ(st.mode(), c.modeAfter);
        EXPECT_EQ(st.prompter.shownTexts(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_GE(st.mapRefreshes, 1);
    }
}

TEST(BandControl, ModeButtonsAndBandSteps)
{
    Station st(0, 3550000);
    st.controls.SsbButton();  // CW on 80 m: LSB, into the SSB segment
    EXPECT_EQ(st.mode(), 2);
    EXPECT_EQ(st.signal(), 3610000);
    st.controls.SsbButton();  // again: the other side band, same frequency
    EXPECT_EQ(st.mode(), 1);
    EXPECT_EQ(st.signal(), 3610000);

    Station nossb(0, 10120000);
    nossb.controls.SsbButton();
    nossb.controls.DigitalButton(OperatingMode::Psk31);
    Station outside(0, 5000000);
    outside.controls.DigitalButton(OperatingMode::Qpsk);
    outside.controls.DigitalButton(OperatingMode::Rtty);
    EXPECT_EQ(nossb.prompter.shownTexts(), std::vector<std::string>{"No SSB here"});
    EXPECT_EQ(nossb.mode(), 9);
    EXPECT_EQ(nossb.signal(), 10145000);
    EXPECT_EQ(outside.prompter.shownTexts(), (std::vector<std::string>{"No PSK here", "No RTTY here"}));
    EXPECT_EQ(outside.mode(), 0);

    const struct {
        int dialHz;
        bool up;
        int signalAfter;
    } steps[] = {
        {28500000, true, 1820000},   // 10 m up wraps to 160 m
        {1900000, false, 28010000},  // and 160 m down to 10 m
        {5000000, true, 7000000},    // between bands: 10 kHz steps to the next edge
        {5000000, false, 3800000},
    };
    for (const auto& s : steps) {
        Station bs(0, s.dialHz);
        s.up ? bs.controls.BandUp() : bs.controls.BandDown();
        EXPECT_EQ(bs.signal(), s.signalAfter) << s.dialHz;
    }

    Station cw(1, 14250000);
    cw.controls.CwButton();
    EXPECT_EQ(cw.mode(), 0);
    EXPECT_EQ(cw.signal(), 14250000);  // CW keeps the frequency
    cw.controls.StepDown();
    cw.controls.StepDown();
    cw.controls.StepUp();
    EXPECT_EQ(cw.signal(), 14249900);
}

TEST(BandControl, SatelliteSetupAndSplit)
{
    Station st(0, 14070000);
    st.controls.SatelliteSetup();
    EXPECT_TRUE(st.controls.satelliteFlag());
    EXPECT_EQ(st.commands(),
              (std::vector<std::string>{"VFO A", "CW", "29464000", "VFO B", "CW", "21264000", "VFO A"}));

    Station split(0, 29458000);
    split.controls.SplitDown();  // slider at 0
    split.link.blocks.clear();
    split.controls.SplitSliderReleased(500);
    EXPECT_EQ(split.sliderHz, 500);
    EXPECT_EQ(split.commands(),
              (std::vector<std::string>{"VFO B", "CW", "21139500", "VFO A", "29458000", "CW"}));
    split.controls.SplitUp();
    EXPECT_EQ(split.commands().at(8), "21140500");
    split.controls.BandButton(8);
    EXPECT_FALSE(split.controls.satelliteFlag());

    // In the satellite segment the mode buttons set both VFOs.
    Station sat(0, 29400000);
    sat.controls.SsbButton();
    EXPECT_EQ(sat.commands(), (std::vector<std::string>{"VFO B", "USB", "VFO A", "USB"}));
    EXPECT_EQ(sat.mode(), 0);
}

TEST(FrequencyEntry, ReadsKilohertzHertzDotsAndCsIntegerForms)
{
    const struct {
        const char* text;
        int onHz;
        std::optional<int> tunes;
    } cases[] = {
        {"70", 14035000, 14070000},      {"7035", 14035000, 7035000},
        {"14070150", 0, 14070150},       {"14.070.150", 0, 14070150},
        {"7.5", 14035000, 14007500},     {"070", 14035000, 14056000},  // octal 56
        {"0x10", 7000000, 7016000},      {"14070.15", 0, 14070150},
        {" 3: 7040", 0, 7040000},        {"12: 7040", 0, 7040000},  // memory list entries
        {"abc", 14035000, std::nullopt}, {"1000000.0", 0, std::nullopt},
        {"-5", 14035000, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseFrequencyEntry(c.text, c.onHz), c.tunes);
    }
}

TEST(MarkCommands, MarkAskForALabelAndGoToTheNextMarkInItsMode)
{
    Station st(9, 14069000);  // PSK31 at 14 070 000
    FrequencyMarks marks;
    test::FixedClock clock(1'700'000'000);
    MarkCommands keys(marks, st.trx, st, st.prompter, clock);
    st.prompter.textAnswers = {"ragchew"};
    keys.MarkThisFrequency("", "DL1ABC 599");
    EXPECT_EQ(st.prompter.shownTexts(), std::vector<std::string>{"Mark label:"});
    EXPECT_EQ(marks[11].frequency, 14070000);
    EXPECT_EQ(marks[11].label, "ragchew");
    EXPECT_EQ(marks[11].mode, OperatingMode::Psk31);
    keys.MarkThisFrequency("", "");  // cancelled: nothing marked
    EXPECT_EQ(marks.qsoRingIndex(), 11);

    marks[12] = {7040000, OperatingMode::Lsb, clock.value, "net", ""};
    keys.NextMark();
    EXPECT_EQ(st.mode(), 2);
    EXPECT_EQ(st.signal(), 7040000);
    keys.PreviousMark();
    EXPECT_EQ(st.mode(), 9);
    EXPECT_EQ(st.signal(), 14070000);
    keys.DeleteMarksHere();
    EXPECT_EQ(marks[11].frequency, 0);
}

}  // namespace
}  // namespace vexa::rig
