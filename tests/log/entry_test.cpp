// The entry line's life: its state bits, the fields the providers fill or ask for, and the
// time stamp that completes the line once.
#include <gtest/gtest.h>

#include "log/entry_state.h"
#include "log/qso_fields.h"
#include "log/time_stamp_entry.h"
#include "support/fixed_clock.h"
#include "support/scripted_prompter.h"

namespace vexa::log {
namespace {

const TimeZoneOffset kUtc{0};

// The entry line as the providers see it.
struct Entry {
    std::string text;
    std::string captured = "DK9XX";
    std::string frequency = "14.070.500";
    std::string mode = "PSK";
    int questionsAsked = 0;
    QsoSources sources()
    {
        QsoSources s;
        s.entryWord = [this](int n) { return EntryWord(text, n); };
        s.setEntryText = [this](const std::string& t) { text = t; };
        s.capturedCall = [this] { return captured; };
        s.signalFrequencyHz = [] { return 14070500; };
        s.frequencyText = [this] { return frequency; };
        s.modeText = [this] { return mode; };
        s.questionAsked = [this] { ++questionsAsked; };
        return s;
    }
};

TEST(EntryLineState, LifeCycle)
{
    EntryLineState s;
    s.onChanged("   ", "   ", true);
    EXPECT_EQ(s.state(), 0);
    const EntryChange typed = s.onChanged("DL1ABC", "DL1ABC", true);
    EXPECT_EQ(typed.call, "DL1ABC");
    EXPECT_EQ(s.state(), entry_state::kEdited);
    EXPECT_FALSE(typed.typeSpaceAndMoveCarets);
    // Text put in while the focus is elsewhere (a macro, a captured call) gets a space after it.
    EXPECT_TRUE(s.onChanged("DL1ABC Hans", "DL1ABC Hans", false).typeSpaceAndMoveCarets);

    s.setState(s.state() | entry_state::kTimeStamped);
    s.setState(entry_state::kSaved);  // Save
    const EntryChange afterSave = s.onChanged("DL1ABC Hans", "DL1ABC Hans", true);
    EXPECT_TRUE(afterSave.savedBitCleared);
    EXPECT_EQ(s.state(), 0);
    EXPECT_FALSE(s.unsaved());
    s.onChanged("", "", true);
    EXPECT_EQ(s.state(), 0);
}

TEST(EntryWord, WordsAreRunsOfVisibleBytes)
{
    EXPECT_EQ(EntryWord("  DL1ABC\tHans  599 ", 0), "DL1ABC");
    EXPECT_EQ(EntryWord("  DL1ABC\tHans  599 ", 2), "599");
    EXPECT_EQ(EntryWord("DL1ABC Hans", 2), "");
    EXPECT_EQ(EntryWord("DL1ABC Ren\xe9", 1), "Ren\xe9");  // bytes above 127 are part of words
    EXPECT_EQ(EntryWord(std::string(3000, 'A'), 0).size(), 1023u);
}

TEST(QsoFieldProviders, FillFromTheWindowOrAsk)
{
    Entry entry;
    test::ScriptedPrompter prompter;
    QsoFields fields;
    QsoFieldProviders providers(fields, prompter, entry.sources());

    // No call in the entry line: the captured call is offered and the answer written there.
    prompter.textAnswers.push_back("DK9XX");
    EXPECT_EQ(providers.call(), "DK9XX");
    EXPECT_EQ(entry.text, "DK9XX");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Call:");
    EXPECT_EQ(prompter.shown[0].extra, "DK9XX");

    entry.text = "DK9XX 599 tnx Hans";
    prompter.textAnswers.push_back(std::nullopt);  // Cancel leaves the name empty
    EXPECT_EQ(providers.name(), "");
    EXPECT_EQ(prompter.shown.back().extra, "tnx");
    EXPECT_EQ(entry.questionsAsked, 2);

    // Band, frequency and mode come from the window without a question.
    EXPECT_EQ(providers.band(), "20m");
    EXPECT_EQ(providers.frequency(), "14.070.500");
    EXPECT_EQ(providers.mode(), "PSK");
    EXPECT_EQ(prompter.shown.size(), 2u);
    // An empty combo box asks.
    fields.mode.clear();
    entry.mode.clear();
    prompter.textAnswers.push_back("MFSK16");
    EXPECT_EQ(providers.mode(), "MFSK16");
    EXPECT_EQ(prompter.shown.back().text, "Mode:");
}

TEST(TimeStampEntry, CompletesOnceAndNeverTwice)
{
    Entry entry;
    entry.text = "DL1ABC hans tnx";
    test::ScriptedPrompter prompter;
    prompter.textAnswers = {"579", "559"};  // RST, then my RST
    QsoFields fields;
    fields.name = "Hans";  // already in the line in other letter case
    fields.qth = "Berlin";
    QsoFieldProviders providers(fields, prompter, entry.sources());
    EntryLineState state;
    state.onChanged(entry.text, entry.text, true);

    test::FixedClock clock(ToLogTime({2026, 12, 8, 18, 5, 9}));
    StampInputs in;
    in.entryText = entry.text;
    in.freeText = "tnx fer QSO";
    const StampResult first = TimeStampEntry(state, providers, in, clock, kUtc);
    ASSERT_TRUE(first.stamped);
    EXPECT_EQ(first.line, "DL1ABC hans tnx Berlin 559/579");
    EXPECT_EQ(first.suffix, " 08/Dec/2026 18:05:09z PSK31 14.070.500 tnx fer QSO ");
    EXPECT_EQ(first.label, "+DL1ABC");
    EXPECT_EQ(state.state(), entry_state::kEdited | entry_state::kTimeStamped);
    EXPECT_EQ(prompter.shown[1].text, "My RST:");
    EXPECT_EQ(prompter.shown[1].extra, "599");

    in.entryText = first.line + first.suffix;
    EXPECT_FALSE(TimeStampEntry(state, providers, in, clock, kUtc).stamped);

    // A line that already parses as a record is not stamped even when the bit is clear.
    EntryLineState fresh;
    fresh.onChanged(in.entryText, in.entryText, true);
    EXPECT_FALSE(TimeStampEntry(fresh, providers, in, clock, kUtc).stamped);
    EXPECT_EQ(fresh.state(), entry_state::kEdited);
}

TEST(TimeStampEntry, ModeWordsAndLocalTime)
{
    Entry entry;
    entry.text = "DL1ABC";
    entry.mode = "AM";
    test::ScriptedPrompter prompter;
    QsoFields fields;
    fields.rst = fields.myRst = "59";
    QsoFieldProviders providers(fields, prompter, entry.sources());
    test::FixedClock clock(ToLogTime({2026, 12, 8, 18, 5, 9}));
    StampInputs in;
    in.entryText = entry.text;
    in.operatingMode = OperatingMode::Am;  // the mode combo box text
    in.gmt = false;
    in.satellite = true;
    EntryLineState state;
    const StampResult r = TimeStampEntry(state, providers, in, clock, TimeZoneOffset{-3600});
    EXPECT_EQ(r.line, "DL1ABC 59/59");
    EXPECT_EQ(r.suffix, " 08/Dec/2026 19:05:09 AM 14.070.500   RS13");
    EXPECT_EQ(StampModeWord(OperatingMode::Ssb), "SSB");
}

}  // namespace
}  // namespace vexa::log
