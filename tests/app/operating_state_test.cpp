#include "app/operating_state.h"

#include <vector>

#include <gtest/gtest.h>

#include "engine/audio/null_wave_backend.h"
#include "support/memory_text_window.h"
#include "support/recording_transceiver.h"

namespace vexa::app {
namespace {

// The state with a keyboard window and a sound card that has no device.
struct Station {
    ApplicationGlobals globals;
    test::MemoryTextWindow keyboard;
    engine::NullWaveBackend backend;
};

TEST(OperatingState, EachModeSendsItsTransceiverModeCommandAndRewiresReceiveAndTransmit)
{
    Station st;
    test::RecordingTransceiver trx;
    OperatingState state(st.globals, trx, st.keyboard, st.backend, {});
    using M = OperatingMode;
    // SSB picks its side band with the band buttons, so sends none here.
    const std::vector<std::pair<M, int>> expected = {
        {M::Cw, 3}, {M::Usb, 1}, {M::Lsb, 0},   {M::Rtty, 4}, {M::Sstv, 1},  {M::Fax, 1},
        {M::Am, 2}, {M::Fm, 5},  {M::Psk31, 4}, {M::Qpsk, 4}, {M::Fsk31, 4}, {M::Ssb, -1}};
    for (const auto& [mode, command] : expected) {
        SCOPED_TRACE(modeName(mode));
        trx.modeCommands.clear();
        state.SetOperatingMode(mode);
        EXPECT_EQ(trx.modeCommands, command < 0 ? std::vector<int>{} : std::vector<int>{command});
        EXPECT_EQ(state.operatingMode(), mode);
        EXPECT_EQ(state.transmitMachine().mode(), mode);
    }
}

TEST(OperatingState, ClockTickMovesTextCountsTicksAndChangesTheClockOncePerSecond)
{
    Station st;
    ApplicationGlobals& globals = st.globals;
    rig::TransceiverPort none;
    OperatingState state(globals, none, st.keyboard, st.backend, {});
    test::MemoryTextWindow receive, alert;
    receive.setFocus(false);
    alert.setFocus(false);
    state.receiveTextBuffer() = "CQ de G4XYZ ";
    state.secondChannelTextBuffer() = "second";

    const std::time_t t0 = 1700000000;  // 22:13:20 UTC
    TickResult r = state.ClockTick({receive, alert}, t0, true);
    EXPECT_TRUE(r.receiveTextWritten);
    EXPECT_TRUE(r.clockChanged);
    EXPECT_FALSE(r.invalidateSpectrum) << "the spectrum is redrawn from the second second on";
    EXPECT_EQ(state.clock().text(), "22:13:20");
    EXPECT_EQ(receive.text(), "CQ de G4XYZ ");
    EXPECT_EQ(alert.text(), "second");
    EXPECT_EQ(globals.textFlow.capturedCall(), "G4XYZ");

    r = state.ClockTick({receive, alert}, t0, true);
    EXPECT_FALSE(r.clockChanged);
    EXPECT_FALSE(r.receiveTextWritten);
    r = state.ClockTick({receive, alert}, t0 + 1, true);
    EXPECT_TRUE(r.clockChanged);
    EXPECT_TRUE(r.invalidateSpectrum);
    EXPECT_EQ(globals.tickCounter, 3u);

    globals.receivePaused = true;
    state.receiveTextBuffer() = "waits";
    state.ClockTick({receive, alert}, t0 + 1, true);
    EXPECT_EQ(receive.text(), "CQ de G4XYZ ");
    globals.receivePaused = false;
    state.ClockTick({receive, alert}, t0 + 1, true);
    EXPECT_EQ(receive.text(), "CQ de G4XYZ waits");
}

TEST(CwSpeed, StartsAtThirtyAndNeverShowsMoreThanThirty)
{
    CwSpeed cw;
    EXPECT_EQ(cw.speed(), 30);
    EXPECT_EQ(cw.elementLength(), 20);
    EXPECT_FALSE(cw.update());
    cw.addToElementLength(-5);
    EXPECT_TRUE(cw.update());
    EXPECT_EQ(cw.elementLength(), 20);
    EXPECT_EQ(cw.speed(), 30);
    cw.addToElementLength(10);
    EXPECT_TRUE(cw.update());
    EXPECT_EQ(cw.speed(), 20);
    EXPECT_FALSE(cw.update());
    cw.markChanged();
    EXPECT_TRUE(cw.update());
}

TEST(ClockCaption, ShowsUtcWhenGmtIsOn)
{
    EXPECT_EQ(formatClock(0, true), "00:00:00");
    EXPECT_EQ(formatClock(86399, true), "23:59:59");
}

}  // namespace
}  // namespace vexa::app
