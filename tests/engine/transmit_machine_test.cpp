// The transmit state machine on an in-memory sound card: the symbol sequence of a PSK
// transmission, CW identification, the RTTY shifts and end, and the ways a transmission
// must end with the key line released.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/rx/baudot_tables.h"
#include "engine/tx/memory_transmit_audio.h"
#include "engine/tx/string_transmit_source.h"
#include "engine/tx/transmit_machine.h"

namespace vexa::engine {
namespace {

struct Rig {
    explicit Rig(std::string text, int idleBeforeEnd = 0) : source(std::move(text), idleBeforeEnd)
    {
        std::array<uint16_t, 256> words{};
        words[' '] = 0b1;
        words['e'] = 0b11;
        words['t'] = 0b101;
        machine.setVaricode(words);
        machine.setSymbolTap([this](int s) { symbols.push_back(s); });
    }
    SineTable table;
    MemoryTransmitAudio audio;
    RecordingKeyLine key;
    StringTransmitSource source;
    TransmitMachine machine{table, audio, key, source};
    std::vector<int> symbols;
    std::vector<int16_t> out;  // what the sound card played

    // Plays up to `blocks` blocks, each refilled as the sound card returns it; with
    // `untilEnd`, stops once the transmission is over.
    void play(int blocks, bool untilEnd = true)
    {
        for (int i = 0; i < blocks && (!untilEnd || machine.active()); ++i)
            machine.FillTransmitBlock(audio.playNext(out));
    }
};

std::vector<int> repeat(int symbol, int n)
{
    return std::vector<int>(static_cast<std::size_t>(n), symbol);
}

std::vector<int> alternate(int n, int& phase)
{
    std::vector<int> v;
    for (int i = 0; i < n; ++i) v.push_back(phase = (phase + 2) & 3);
    return v;
}

void append(std::vector<int>& a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
}

TEST(TransmitMachine, PskTransmissionSymbolSequence)
{
    Rig rig("e");
    rig.machine.setMode(OperatingMode::Psk31);
    const std::vector<int16_t> audio = renderTransmission(rig.machine, rig.audio, 2'000'000);

    int phase = 0;
    std::vector<int> expected = repeat(0, 9);  // carrier, fading in
    append(expected, alternate(10, phase));    // idle zero bits
    append(expected, {2, 0, 0, 0});            // 'e': 0 0 1 1
    phase = 0;
    append(expected, alternate(1 + 15, phase));  // the pass that took the end, then the flush
    append(expected, repeat(0, 16));             // carrier tail
    ASSERT_GE(rig.symbols.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<int>(rig.symbols.begin(), rig.symbols.begin() + static_cast<long>(expected.size())),
              expected);
    for (std::size_t i = expected.size(); i < rig.symbols.size(); ++i) ASSERT_EQ(rig.symbols[i], 4) << i;

    // The end block is the one in which silence began; it is the last block played.
    const std::size_t symbolsBeforeSilence = expected.size();
    const std::size_t silenceStart = symbolsBeforeSilence * 11025 / 31.25;
    EXPECT_EQ(audio.size() % 4096, 0u);
    EXPECT_EQ(audio.size() / 4096, silenceStart / 4096 + 1);
    EXPECT_FALSE(rig.machine.active());
    EXPECT_FALSE(rig.key.on());
    EXPECT_EQ(rig.key.keyDowns(), 1);
    EXPECT_EQ(rig.key.keyUps(), 1);
    EXPECT_TRUE(rig.audio.inputOpen());
    EXPECT_FALSE(rig.audio.outputOpen());
    EXPECT_EQ(rig.source.startCalls(), 1);
    EXPECT_EQ(rig.source.emptyCalls(), 1);
}

TEST(TransmitMachine, EmptyBufferSendsCarrierThenReversalsAndTheKeyEndsIt)
{
    Rig rig("", StringTransmitSource::kNoEnd);
    std::string echo;
    rig.machine.setEchoBuffer(&echo);
    ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    EXPECT_TRUE(rig.machine.transmitting());
    EXPECT_TRUE(rig.key.on());
    EXPECT_FALSE(rig.audio.inputOpen());
    rig.play(12, false);
    int phase = 0;
    std::vector<int> expected = repeat(0, 9);
    const std::size_t n = rig.symbols.size();
    append(expected, alternate(static_cast<int>(n) - 9, phase));
    EXPECT_EQ(rig.symbols, expected);

    // The key: the flush and the tail run, then the end block finishes.
    EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ending);
    EXPECT_FALSE(rig.machine.transmitting());
    EXPECT_TRUE(rig.key.on());
    rig.play(100);
    EXPECT_FALSE(rig.machine.active());
    EXPECT_FALSE(rig.key.on());
    // After the request: the symbol in progress, 15 flush, 16 carrier, then silence.
    const auto tailStart = std::find(rig.symbols.begin() + static_cast<long>(n), rig.symbols.end(), 4);
    ASSERT_NE(tailStart, rig.symbols.end());
    const std::vector<int> tail(tailStart - 16, tailStart);
    EXPECT_EQ(tail, repeat(0, 16));
    // Before the tail: reversals all the way from the request (the flush is zero bits).
    for (auto it = rig.symbols.begin() + static_cast<long>(n); it + 1 < tailStart - 16; ++it)
        EXPECT_EQ((*(it + 1) - *it) & 3, 2);
    EXPECT_GE(tailStart - 16 - (rig.symbols.begin() + static_cast<long>(n)), 15);
    EXPECT_TRUE(echo.empty());
}

TEST(TransmitMachine, CwIdentificationKeysTheCarrierAndEndAfterItIsImmediate)
{
    Rig rig("t\xA9\xAE");
    rig.machine.setCallSign("AE");
    rig.machine.setCwIdUnit(2);
    std::string echo;
    rig.machine.setEchoBuffer(&echo);
    renderTransmission(rig.machine, rig.audio, 2'000'000);
    EXPECT_EQ(echo, "t");
    EXPECT_FALSE(rig.key.on());

    // Run lengths of on (0) and off (4) after the character 't' (0 0 1 0 1).
    const std::size_t cwFrom = 9 + 10 + 5;
    std::vector<std::pair<int, int>> runs;
    for (std::size_t i = cwFrom; i < rig.symbols.size(); ++i) {
        const int on = rig.symbols[i] == 4 ? 4 : 0;
        if (runs.empty() || runs.back().first != on)
            runs.push_back({on, 1});
        else
            ++runs.back().second;
    }
    // 't' leaves the phase index at 0 (carrier). The request pass and seven more keep it,
    // then two spaces (2 units off each), A .- , E . , a space, then silence to the end.
    const std::vector<std::pair<int, int>> expected = {
        {0, 8},                                      // carrier until the keying starts
        {4, 8},                                      // two spaces
        {0, 2}, {4, 2},         {0, 6}, {4, 2 + 4},  // A, end of character
        {0, 2}, {4, 2 + 4 + 4},                      // E, end of character, space, then...
    };
    ASSERT_GE(runs.size(), expected.size());
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) EXPECT_EQ(runs[i], expected[i]) << "run " << i;
    // ...silence with no flush and no carrier tail: the last run is off to the end.
    EXPECT_EQ(runs.size(), expected.size());
    EXPECT_EQ(runs.back().first, 4);
}

// Reads the 15-half-bit frames back into Baudot codes.
std::vector<int> framesOf(const std::vector<int>& halfBits)
{
    std::vector<int> codes;
    std::size_t i = 0;
    while (i + 15 <= halfBits.size() && halfBits[i] != 4) {
        EXPECT_EQ(halfBits[i], 10);
        EXPECT_EQ(halfBits[i + 1], 10);
        int code = 0;
        for (int b = 0; b < 5; ++b) {
            EXPECT_EQ(halfBits[i + 2 + 2 * b], halfBits[i + 3 + 2 * b]);
            code = (code << 1) | (halfBits[i + 2 + 2 * b] == 11 ? 1 : 0);
        }
        for (int s = 12; s < 15; ++s) EXPECT_EQ(halfBits[i + s], 11);
        codes.push_back(code);
        i += 15;
    }
    return codes;
}

TEST(TransmitMachine, RttyShiftsFollowTheText)
{
    Rig rig("a1 B2,x\r\n5", 2);
    rig.machine.setMode(OperatingMode::Rtty);
    std::string echo;
    rig.machine.setEchoBuffer(&echo);
    renderTransmission(rig.machine, rig.audio, 2'000'000);
    EXPECT_EQ(echo, "a1 B2,x\r\n5");
    const int L = kBaudotLtrs, F = kBaudotFigs;
    const std::vector<int> expected = {
        L, 24,     // a after nothing: LTRS
        F, 29,     // a digit after a letter: FIGS
        4,         // space: no shift is current afterwards
        L, 19,     // B (sent as its letter)
        F, 25, 6,  // 2 then ',' in the same shift
        L, 23,     // x
        2, 8,      // CR LF
        F, 1,      // 5 after a line break carries its shift again
        L, L,      // idle
    };
    EXPECT_EQ(framesOf(rig.symbols), expected);
    // Then silence (half-bits of symbol 4) until the end block has played.
    EXPECT_EQ(rig.symbols.back(), 4);
    EXPECT_FALSE(rig.key.on());
    EXPECT_TRUE(rig.audio.inputOpen());
}

TEST(TransmitMachine, RttyPolarityAndUnknownCharacters)
{
    Rig rig("\xE9", 0);  // not in either table: sent as a space
    rig.machine.setMode(OperatingMode::Rtty, 100.0);
    rig.machine.setRttyPolarity(1);
    renderTransmission(rig.machine, rig.audio, 2'000'000);
    ASSERT_GE(rig.symbols.size(), 15u);
    std::vector<int> swapped;
    for (int s : rig.symbols) swapped.push_back(s == 10 ? 11 : s == 11 ? 10 : s);
    EXPECT_EQ(framesOf(swapped), (std::vector<int>{4}));
    EXPECT_EQ(rig.machine.modulator().symbolRate(), 200.0);
}

TEST(TransmitMachine, RttyEndRequestLetsTheCharacterFinishAndTakesNoMoreText)
{
    Rig rig("abcdefghijklmnopqrstuvwxyz", StringTransmitSource::kNoEnd);
    rig.machine.setMode(OperatingMode::Rtty);
    std::string echo;
    rig.machine.setEchoBuffer(&echo);
    ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    rig.play(1);
    EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ending);
    rig.play(100);
    EXPECT_FALSE(rig.machine.active());
    // Every character echoed was sent completely; the rest is still unsent.
    const std::vector<int> codes = framesOf(rig.symbols);
    int letters = 0;
    for (int c : codes)
        if (c != kBaudotLtrs) ++letters;
    EXPECT_EQ(static_cast<std::size_t>(letters), echo.size());
    EXPECT_FALSE(rig.source.drained());
}

TEST(TransmitMachine, ModesWithoutAudioNeverLeaveTheKeyDown)
{
    {
        Rig rig("");
        rig.machine.setMode(OperatingMode::Ssb);
        EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Refused);
        EXPECT_EQ(rig.key.keyDowns(), 0);
    }
    {
        Rig rig("");
        rig.machine.setMode(OperatingMode::Cw);  // CW: keyed, no audio blocks
        rig.audio.OpenWaveIn();
        EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
        EXPECT_TRUE(rig.key.on());
        EXPECT_EQ(rig.audio.queued(), 0u);
        EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ended);
        EXPECT_FALSE(rig.key.on());
        EXPECT_TRUE(rig.audio.inputOpen());
    }
    {
        Rig rig("hello");
        int failures = 0;
        rig.machine.setOutputFailureHook([&] { ++failures; });
        rig.audio.failOpenOutput = true;
        EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ended);
        EXPECT_FALSE(rig.key.on());
        EXPECT_TRUE(rig.audio.inputOpen());
        EXPECT_EQ(failures, 1);
    }
    {
        Rig rig("", StringTransmitSource::kNoEnd);
        int failures = 0;
        rig.machine.setOutputFailureHook([&] { ++failures; });
        rig.audio.refuseWritesAfter = 6;  // the device stops taking blocks mid-transmission
        ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
        rig.play(10);
        EXPECT_FALSE(rig.machine.active());
        EXPECT_FALSE(rig.key.on());
        EXPECT_TRUE(rig.audio.inputOpen());
        EXPECT_EQ(failures, 1) << "told once";
    }
}

TEST(TransmitMachine, AModeChangeEndsTheTransmissionAtOnce)
{
    // During the text, during the tail, and RTTY switched to 100 Bd while sending.
    using M = OperatingMode;
    struct Case {
        M from;
        bool tail;
        M to;
        double toBaud;
    };
    for (const Case c : {Case{M::Psk31, false, M::Ssb, 45.45}, Case{M::Psk31, true, M::Usb, 45.45},
                         Case{M::Fsk31, true, M::Psk31, 45.45}, Case{M::Rtty, false, M::Rtty, 100.0}}) {
        SCOPED_TRACE(testing::Message()
                     << modeName(c.from) << " -> " << modeName(c.to) << (c.tail ? " in the tail" : ""));
        Rig rig("", StringTransmitSource::kNoEnd);
        rig.machine.setMode(c.from);
        ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
        rig.play(1);
        if (c.tail) {
            ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ending);
        }
        rig.machine.setMode(c.to, c.toBaud);
        EXPECT_FALSE(rig.machine.active());
        EXPECT_FALSE(rig.key.on());
        EXPECT_TRUE(rig.audio.inputOpen());
        EXPECT_FALSE(rig.audio.outputOpen());
        // A block that was still out comes back to nothing.
        rig.machine.FillTransmitBlock(&rig.audio.outputHeaders()[1]);
        EXPECT_EQ(rig.key.keyDowns(), 1);
        EXPECT_EQ(rig.machine.ToggleTransmit(),
                  isVoiceMode(c.to) ? TransmitMachine::Toggle::Refused : TransmitMachine::Toggle::Started);
    }
    // Choosing the mode already set changes nothing.
    Rig rig("", StringTransmitSource::kNoEnd);
    ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    rig.machine.setMode(M::Psk31);
    EXPECT_TRUE(rig.machine.active());
}

TEST(TransmitMachine, KeyAfterTheEndCharacterDoesNotRestartTheFlushAndTail)
{
    // The same text ending with code 174, once left alone and once with the key pressed
    // while its flush, its tail or its silence runs: the keying must be the same.
    Rig alone("e");
    renderTransmission(alone.machine, alone.audio, 2'000'000);
    for (const uint32_t pressAt : {TransmitMachine::kEndRequested + 2, TransmitMachine::kTailFrom + 3,
                                   TransmitMachine::kSilenceFrom}) {
        Rig rig("e");
        ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
        bool pressed = false;
        for (int i = 0; i < 200 && rig.machine.active(); ++i) {
            if (!pressed && rig.machine.stateCounter() >= pressAt) {
                EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ending);
                pressed = true;
            }
            rig.play(1);
        }
        EXPECT_TRUE(pressed);
        EXPECT_FALSE(rig.machine.active());
        EXPECT_EQ(rig.symbols, alone.symbols) << "pressed at " << std::hex << pressAt;
    }
}

TEST(TransmitMachine, KeyDuringTheTailDoesNotRestartOnBlocksInFlight)
{
    Rig rig("", StringTransmitSource::kNoEnd);
    ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    rig.play(1);
    ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ending);
    const int writes = rig.audio.writes;
    // The blocks are still queued: starting again would refill them under the device.
    EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Ending);
    EXPECT_EQ(rig.audio.writes, writes);
    EXPECT_EQ(rig.key.keyDowns(), 1);
    rig.play(100);
    EXPECT_FALSE(rig.machine.active());
    // Once the end block has played, the key starts a new transmission.
    EXPECT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    EXPECT_EQ(rig.key.keyDowns(), 2);
}

TEST(TransmitMachine, ClickToTuneTakesEffectAtASymbolBoundary)
{
    Rig rig("", StringTransmitSource::kNoEnd);
    rig.machine.setFrequency(1000.0);
    std::optional<double> pending;
    std::vector<double> applied;
    rig.machine.setTuneHooks([&] { return std::exchange(pending, std::nullopt); },
                             [&](double f) { applied.push_back(f); });
    ASSERT_EQ(rig.machine.ToggleTransmit(), TransmitMachine::Toggle::Started);
    pending = TransmitMachine::clickFrequency(2 * 256 * 100, 11025.0 / 2048, 0, 71);
    EXPECT_DOUBLE_EQ(*pending, 100 * 11025.0 / 2048 + 71 * 11025.0 / 2048);
    rig.play(1);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_DOUBLE_EQ(rig.machine.modulator().frequency(), applied[0]);
    EXPECT_FALSE(pending.has_value());
}

TEST(TransmitMachine, FadingTestModulatesTheLevel)
{
    const auto peakRange = [](bool fading) {
        Rig rig("", StringTransmitSource::kNoEnd);
        if (fading) rig.machine.setFadingTerm(0, 0.5, 1.0);
        rig.machine.ToggleTransmit();
        rig.play(12, false);
        int lo = 1 << 20, hi = 0;
        for (std::size_t b = 4096; b + 256 <= rig.out.size(); b += 256) {
            int peak = 0;
            for (std::size_t i = b; i < b + 256; ++i) peak = std::max(peak, std::abs(int{rig.out[i]}));
            lo = std::min(lo, peak);
            hi = std::max(hi, peak);
        }
        return std::pair{lo, hi};
    };
    {
        Rig rig("");
        rig.machine.setFadingTerm(1, 2.0, 0.5);
        EXPECT_EQ(rig.machine.fadingIncrement(1), 48695u);  // 2^30 / 22050
        rig.machine.setFadingTerm(1, 0.0, 0.5);
        EXPECT_EQ(rig.machine.fadingIncrement(1), 0u);
        rig.machine.setFadingTerm(4, 2.0, 0.5);  // there are four terms: ignored
        EXPECT_EQ(rig.machine.fadingIncrement(4), 0u);
    }
    const auto [lo, hi] = peakRange(true);
    EXPECT_GT(hi, 25000);
    EXPECT_LT(lo, 3000);
}

}  // namespace
}  // namespace vexa::engine
