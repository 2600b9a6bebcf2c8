// The function-key macros over in-memory windows, a scripted input box, a real profile and
// real brag files: what a key types, asks, queues and does, the stored form through the
// editor, the digit-key marks, and a macro that goes on the air and is copied back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/version.h"
#include "engine/rx/mode_receiver.h"
#include "engine/rx/varicode_table.h"
#include "engine/tx/memory_transmit_audio.h"
#include "engine/tx/transmit_machine.h"
#include "log/entry_state.h"
#include "macros/keyboard_transmit_buffer.h"
#include "macros/macro_commands.h"
#include "macros/mark_keys.h"
#include "macros/qso_contact_fields.h"
#include "macros/token_expander.h"
#include "support/fixed_clock.h"
#include "support/memory_text_window.h"
#include "support/recording_macro_actions.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/text_receiver.h"

namespace vexa::macros {
namespace {

using Prompts = std::vector<std::string>;

// 2026-03-01 09:05:00 UTC
constexpr std::time_t kNineOhFive = 1772355900;

// One main window as the macros see it: keyboard window, entry line, contact fields, a
// 14.070 MHz signal, the voice keyer's queue and a profile file of its own.
struct Bench : MacroCommandHost {
    test::TempDir dir;
    Profile profile{dir.path() / "vexa.ini"};
    MacroTable table;
    test::MemoryTextWindow keyboard;
    std::string entryLine;
    std::string frequencyCombo = "14070";
    OperatingMode mode = OperatingMode::Psk31;
    int signalHz = 14070000;
    log::QsoFields fields;
    test::ScriptedPrompter prompter;
    test::RecordingMacroActions actions;
    test::FixedClock clock{kNineOhFive};
    log::QsoFieldProviders providers{fields, prompter, sources()};
    macros::QsoContactFields contact{providers};
    TokenExpander expander{table, contact, actions, clock, keyboard};
    MacroCommands commands{table, expander, keyboard, prompter, profile, *this};
    std::vector<int> voiceQueue;
    int focusCalls = 0;
    int lookupClears = 0;

    Bench()
    {
        expander.setBragDirectory(dir.path().string());
        for (int s = 0; s < MacroTable::kSlots; ++s) table.setText(s, "");
    }

    log::QsoSources sources()
    {
        log::QsoSources s;
        s.entryWord = [this](int n) { return log::EntryWord(entryLine, n); };
        s.setEntryText = [this](const std::string& t) { entryLine = t; };
        s.signalFrequencyHz = [this] { return signalHz; };
        s.frequencyText = [this] { return frequencyCombo; };
        s.modeText = [] { return std::string("PSK"); };
        return s;
    }

    OperatingMode operatingMode() const override { return mode; }
    void queueVoiceMessage(int slot) override { voiceQueue.push_back(slot); }
    void focusKeyboardWindow() override { ++focusCalls; }
    void clearLastLookupCall() override { ++lookupClears; }

    void brag(int k, const std::string& content) const
    {
        std::ofstream(dir.file(TokenExpander::bragFileName(k)), std::ios::binary) << content;
    }
    Prompts asked() const
    {
        Prompts out;
        for (const auto& s : prompter.shown)
            if (s.kind == "ask") out.push_back(s.text + "|" + s.extra);
        return out;
    }
};

// The time zone for one scope: "<GMT>" must not care.
struct ZoneGuard {
    explicit ZoneGuard(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) saved = old, had = true;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        if (had)
            setenv("TZ", saved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    std::string saved;
    bool had = false;
};

struct ExpandCase {
    const char* name;
    std::function<void(Bench&)> setUp;
    std::string text;
    std::string expected;
    std::vector<std::string> actions;
    Prompts prompts;
};

TEST(ExpandToken, EveryTokenInItsFixedOrder)
{
    const ExpandCase cases[] = {
        {"control characters", {}, "<CR><LF>a<SP><SP>b", "\r\na  b", {}, {}},
        {"station data", {}, "de <MYCALL> op <MYNAME> qth <MYQTH>", "de XX9XX op Sam qth Lakeside", {}, {}},
        {"end and CW identification characters", {}, "k<RX><CWID>", "k\xAE\xA9", {}, {}},
        {"version", {}, "<VER>", std::string(kVersionString), {}, {}},
        {"unknown and wrongly cased tokens stay as typed",
         {},
         "<HELLO> <mycall> <F13> <SF0> a>b<c",
         "<HELLO> <mycall> <F13> <SF0> a>b<c",
         {},
         {}},
        {"shell syntax is only text",
         {},
         "$(touch pwned) `id` ; rm -rf / <$(id)>",
         "$(touch pwned) `id` ; rm -rf / <$(id)>",
         {},
         {}},
        {"an included macro is expanded with its own tokens",
         [](Bench& b) {
             b.table.setText(0, "73<SP><MYCALL><TX>");
             b.table.setText(21, "<F1><CR>");
             b.table.setText(23, "<F12><LF>");
         },
         "<SF12>",
         "73 XX9XX\r\n",
         {"tx"},
         {}},
        {"a macro that includes itself stops after five passes",
         [](Bench& b) { b.table.setText(0, "A<F1>"); },
         "<F1>",
         "AAAAA<F1>",
         {},
         {}},
        {"a brag token inside an included macro stays",
         [](Bench& b) {
             b.table.setText(0, "<BRAG3>");
             b.brag(3, "never sent");
         },
         "<F1>",
         "<BRAG3>",
         {},
         {}},
        {"<NAME> twice asks once",
         [](Bench& b) {
             b.entryLine = "DL1ABC 599 Hans Bonn";
             b.prompter.textAnswers = {"Hans"};
         },
         "hi <NAME>, <NAME>",
         "hi Hans, Hans",
         {},
         {"Name:|Hans"}},
        {"<BAND> on 14.070 MHz without asking", {}, "<BAND>", "20m", {}, {}},
        {"<BAND> outside every band asks",
         [](Bench& b) {
             b.signalHz = 5000000;
             b.prompter.textAnswers = {"60m"};
         },
         "<BAND>",
         "60m",
         {},
         {"Band:|"}},
        {"fields in their order, frequency and mode from the window",
         [](Bench& b) {
             b.entryLine = "dl1abc";
             b.prompter.textAnswers = {"579", "Bonn"};
         },
         "<QTH> <CALL> <RST> <FQ> <MODE>",
         "Bonn dl1abc 579 14070 PSK",
         {},
         {"RST:|599", "QTH:|"}},
        {"a cancelled question leaves the token empty", {}, "[<MYRST>]", "[]", {}, {"My RST:|599"}},
        {"actions once each, TX SAVE CLEAR TIMESTAMP, after the text",
         {},
         "<TIMESTAMP><CLEAR><SAVE><TX>x<TX><SAVE>",
         "x",
         {"tx", "save", "clear", "timestamp"},
         {}},
        {"<TX> while transmitting does not toggle",
         [](Bench& b) { b.actions.isTransmitting = true; },
         "<TX>k<RX>",
         "k\xAE",
         {},
         {}},
    };
    for (const ExpandCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        if (c.setUp) c.setUp(b);
        EXPECT_EQ(b.expander.ExpandToken(c.text), c.expected);
        EXPECT_EQ(b.actions.done, c.actions);
        EXPECT_EQ(b.asked(), c.prompts);
        EXPECT_EQ(b.keyboard.text(), "");
        EXPECT_TRUE(b.actions.reports.empty());
    }
}

TEST(ExpandToken, GmtIsUtcWhateverTheTimeZone)
{
    for (const char* zone : {"UTC0", "NST+3:30", "NPT-5:45", "LINT-14"}) {
        SCOPED_TRACE(zone);
        ZoneGuard guard(zone);
        Bench b;
        EXPECT_EQ(b.expander.ExpandToken("QTR <GMT> z"), "QTR 09:05 z");
    }
}

TEST(BragFiles, SentOnceWholeAndNeverHalf)
{
    // Two files that name each other: each is sent once, inner text ahead of the line
    // that named it.
    Bench b;
    b.brag(0, "zero <BRAG1> a\r\n<BRAG0>end\n");
    b.brag(1, "one <BRAG0><MYCALL>\n");
    b.keyboard.type("[]");
    b.keyboard.select(1, 1);
    EXPECT_EQ(b.expander.ExpandToken("x<BRAG0>y<BRAG0>"), "xy");
    EXPECT_EQ(b.keyboard.text(), "[one XX9XX\nzero  a\nend\n]");
    EXPECT_TRUE(b.actions.reports.empty());
    // The next key press is a new chain: both go out again, now BRAG1 around BRAG0.
    EXPECT_EQ(b.expander.ExpandToken("<BRAG1>"), "");
    EXPECT_EQ(b.keyboard.text(), "[one XX9XX\nzero  a\nend\nzero  a\nend\none XX9XX\n]");

    // Too large for the keyboard window, a directory in its place, or missing: nothing is
    // typed; the first two are reported in one line each.
    Bench c;
    c.expander.setBragLimit(20);
    c.actions.identity.qth = "Lakeside Village";
    c.brag(4, std::string(21, 'x'));
    c.brag(5, "short <BRAG4> ok\n");
    std::filesystem::create_directory(c.dir.path() / TokenExpander::bragFileName(6));
    EXPECT_EQ(c.expander.ExpandToken("<BRAG4><BRAG6><BRAG7>"), "");
    EXPECT_EQ(c.keyboard.text(), "");
    ASSERT_EQ(c.actions.reports.size(), 2u);
    EXPECT_EQ(c.actions.reports[0],
              "BRAG4.TXT not sent: it is larger than the keyboard window holds (20 characters)");
    EXPECT_EQ(c.actions.reports[1], "BRAG6.TXT not sent: it is not a file");
    // A file whose expansion would pass the limit is not half-sent either.
    c.brag(8, "<MYQTH><MYQTH>\n");
    EXPECT_EQ(c.expander.ExpandToken("<BRAG8>"), "");
    EXPECT_EQ(c.keyboard.text(), "");
    EXPECT_EQ(c.actions.reports.size(), 3u);
    // A file that fits is typed with the oversized one it names left out.
    EXPECT_EQ(c.expander.ExpandToken("<BRAG5>"), "");
    EXPECT_EQ(c.keyboard.text(), "short  ok\n");
    EXPECT_EQ(c.actions.reports.size(), 4u);
}

struct SendCase {
    const char* name;
    OperatingMode mode;
    std::string stored;
    std::string typed;
    std::vector<int> voice;
    std::vector<std::string> actions;
};

TEST(SendMacro, TextModesTypeVoiceModesQueue)
{
    const std::string cq = "CQ<SP><MYCALL><SP>k";
    const SendCase cases[] = {
        {"PSK31 types the station call", OperatingMode::Psk31, cq, ">>CQ XX9XX k<<", {}, {}},
        {"RTTY too", OperatingMode::Rtty, cq, ">>CQ XX9XX k<<", {}, {}},
        {"SSB queues a voice message", OperatingMode::Ssb, cq, ">><<", {4}, {}},
        {"USB too", OperatingMode::Usb, cq, ">><<", {4}, {}},
        {"SSTV does neither", OperatingMode::Sstv, cq, ">><<", {}, {}},
        {"<TX> and <RX> start and end a transmission",
         OperatingMode::Qpsk,
         "<TX>cq<SP>de<SP><MYCALL><RX>",
         ">>cq de XX9XX\xAE<<",
         {},
         {"tx"}},
        {"an unmatched bracket is plain text", OperatingMode::Cw, "a>b<SP><c<SP", ">>a>b <c<SP<<", {}, {}},
        {"an empty macro types nothing", OperatingMode::Psk31, "", ">><<", {}, {}},
    };
    for (const SendCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        b.mode = c.mode;
        b.table.setText(4, c.stored);
        b.keyboard.type(">><<");
        b.keyboard.select(2, 2);
        b.commands.SendMacro(4);
        EXPECT_EQ(b.keyboard.text(), c.typed);
        EXPECT_EQ(b.voiceQueue, c.voice);
        EXPECT_EQ(b.actions.done, c.actions);
        EXPECT_EQ(b.focusCalls, 1);
    }
}

TEST(EditMacro, StoredFormInTheProfileRealLineBreaksInTheEditor)
{
    Bench b;
    b.prompter.textAnswers = {"CQ de <MYCALL>\nline two ", std::nullopt};
    EXPECT_EQ(b.commands.EditMacro(0), EditResult::Stored);
    EXPECT_EQ(b.profile.readString("Keyboard", "F1", ""), "CQ<SP>de<SP><MYCALL><CR><LF>line<SP>two<SP>");

    // A new run reads it back; editing shows the real characters; Cancel changes nothing.
    MacroTable again;
    again.read(b.profile);
    EXPECT_EQ(again.text(0), b.table.text(0));
    EXPECT_EQ(b.commands.EditMacro(0), EditResult::Cancelled);
    EXPECT_EQ(b.asked(), (Prompts{"Text for F 1|", "Text for F 1|CQ de <MYCALL>\nline two "}));
    EXPECT_EQ(b.lookupClears, 2);

    // Every slot's prompt and profile key.
    const std::pair<int, const char*> keys[] = {{9, "F 10"},       {10, "Shift F 1"}, {19, "Shift F 10"},
                                                {20, "F 11"},      {21, "F 12"},      {22, "Shift F 11"},
                                                {23, "Shift F 12"}};
    for (const auto& [slot, name] : keys) {
        b.prompter.textAnswers = {"x"};
        b.commands.EditMacro(slot);
        EXPECT_EQ(b.prompter.shown.back().text, std::string("Text for ") + name);
        EXPECT_EQ(b.profile.readString("Keyboard", "F" + std::to_string(slot + 1), ""), "x");
    }

    // An unwritable profile: the text is kept for this run and the operator is told.
    Bench c;
    std::filesystem::create_directory(c.dir.path() / "ro.ini");
    c.profile = Profile(c.dir.path() / "ro.ini");
    c.prompter.textAnswers = {"73"};
    EXPECT_EQ(c.commands.EditMacro(2), EditResult::NotWritten);
    EXPECT_EQ(c.table.text(2), "73");
    EXPECT_EQ(c.prompter.shown.back().kind, "inform");
}

TEST(MacroTable, BuiltInTextsUntilTheProfileSaysOtherwise)
{
    test::TempDir dir;
    Profile profile(dir.path() / "vexa.ini");
    ASSERT_TRUE(profile.writeString("Keyboard", "F24", "mine"));
    MacroTable table;
    const std::string f1 = table.text(0);
    table.read(profile);
    EXPECT_EQ(table.text(0), f1);
    EXPECT_EQ(table.text(23), "mine");
    // Every built-in text survives the profile and shows no stored-form token in the editor.
    for (int s = 0; s < MacroTable::kSlots; ++s) {
        const std::string shown = MacroTable::toDisplayForm(table.text(s));
        EXPECT_EQ(shown.find("<SP>"), std::string::npos);
        EXPECT_EQ(MacroTable::toStoredForm(shown), table.text(s)) << s;
    }
}

struct MarkHost : MarkKeysHost {
    int hz = 14070000;
    OperatingMode mode = OperatingMode::Psk31;
    std::string entry = "DL1ABC 599";
    std::string combo = "3: 14.070";
    std::vector<std::string> calls;
    int signalFrequency() const override { return hz; }
    OperatingMode operatingMode() const override { return mode; }
    void SetOperatingMode(OperatingMode m) override
    {
        calls.push_back("mode " + std::to_string(modeIndex(m)));
    }
    void TuneTransceiver(int h) override { calls.push_back("tune " + std::to_string(h)); }
    void refreshFrequencyMap(bool force) override { calls.push_back(force ? "map forced" : "map"); }
    std::string entryWord0() const override { return entry.substr(0, entry.find(' ')); }
    std::string entryLineText() const override { return entry; }
    void clearEntryLine() override { entry.clear(); }
    std::string frequencyComboText() const override { return combo; }
    void deleteComboItem(int n) override { calls.push_back("delete " + std::to_string(n)); }
    void setComboItem(int n, const std::string& t) override
    {
        calls.push_back("item " + std::to_string(n) + " " + t);
    }
    void clearLastLookupCall() override { calls.push_back("lookup cleared"); }
};

TEST(MarkKeys, StoreReplacesNearbyMarksAndRecallReturns)
{
    FrequencyMarks marks;
    marks[5].frequency = 14070250;  // within 300 Hz: goes
    marks[6].frequency = 14070300;  // 300 Hz away: stays
    test::ScriptedPrompter prompter;
    prompter.textAnswers = {"Hans", std::nullopt, "x"};
    MarkHost host;
    MarkKeys keys(marks, prompter, host);

    keys.StoreMark(0);
    EXPECT_EQ(marks[0].frequency, 14070000);
    EXPECT_EQ(marks[0].mode, OperatingMode::Psk31);
    EXPECT_EQ(marks[0].label, "Hans");
    EXPECT_EQ(marks[0].text, "DL1ABC 599");
    EXPECT_EQ(host.entry, "");
    EXPECT_EQ(marks[5].frequency, 0);
    EXPECT_EQ(marks[6].frequency, 14070300);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"delete 0", "item 0  1: Hans", "map forced", "lookup cleared"}));

    // Cancel empties the mark; the proposal came from the combo box after its ": ".
    host.calls.clear();
    marks[9].frequency = 7035000;
    keys.StoreMark(9);
    EXPECT_EQ(prompter.shown[1].extra, "14.070");
    EXPECT_EQ(marks[9].frequency, 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"delete 9", "map forced", "lookup cleared"}));
    EXPECT_EQ(MarkKeys::comboText(9, "40m"), "10: 40m");

    // An empty mark changes nothing; a stored one brings back its mode and frequency.
    host.calls.clear();
    keys.RecallMark(9);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(marks[0].frequency, 0);  // storing mark 10 here replaced mark 1
    marks[3].frequency = 7035000;
    marks[3].mode = OperatingMode::Rtty;
    keys.RecallMark(3);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"mode 4", "tune 7035000", "map"}));
}

// The built-in F2 pressed in PSK31: the expansion goes into the keyboard window, <TX>
// starts the transmit machine, which takes the text from the window; the audio, copied by
// the engine's receiver, reads the expanded text, and <RX> ended the transmission.
TEST(MacroOnTheAir, F2IsCopiedAsTheExpandedText)
{
    Bench b;
    b.entryLine = "DL1ABC";
    b.table.setText(1, std::string(MacroTable::builtInTexts()[1]));
    KeyboardTransmitBuffer buffer(b.keyboard, b.expander);
    engine::SineTable sine;
    engine::MemoryTransmitAudio audio;
    engine::RecordingKeyLine key;
    engine::TransmitMachine machine(sine, audio, key, buffer);
    machine.setVaricode(engine::kVaricodeTable);
    machine.setMode(OperatingMode::Psk31);
    machine.setFrequency(1200.0);
    b.actions.onStartTransmit = [&] { machine.ToggleTransmit(); };

    b.commands.SendMacro(1);
    b.keyboard.type("after");  // typed behind the end character
    ASSERT_TRUE(machine.active());
    std::vector<int16_t> out;
    for (int i = 0; i < 200 && machine.active(); ++i) machine.FillTransmitBlock(audio.playNext(out));
    EXPECT_FALSE(machine.active());
    EXPECT_FALSE(key.on());
    EXPECT_EQ(b.keyboard.text(), "");  // the text behind <RX> was dropped

    test::TextReceiver receiver;
    receiver.rx.setMode(OperatingMode::Psk31);
    receiver.rx.setFrequency(1200.0);
    const std::string& copy = receiver.receive(out);
    EXPECT_NE(copy.find("\r\n\r\nDL1ABC DL1ABC de XX9XX XX9XX XX9XX pse k\r\n"), std::string::npos) << copy;
    EXPECT_EQ(copy.find("after"), std::string::npos);
}

}  // namespace
}  // namespace vexa::macros
