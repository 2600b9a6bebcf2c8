// The operating state with real engine objects: the mode switch rewires decoders, rates
// and the modulator, "RTTY"/"Decoder" picks the receiver of mode 4, and the demo recording fed through a file
// sound card comes out as text in the receive buffer, all without a screen.
#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>

#include <gtest/gtest.h>

#include "app/operating_state.h"
#include "engine/audio/null_wave_backend.h"
#include "engine/audio/wave_file_backend.h"
#include "fake_text_window.h"
#include "support/fsk_test_signal.h"
#include "support/temp_dir.h"

namespace vexa::app {
namespace {

using Decoding = engine::PskReceiver::Decoding;

TEST(OperatingStateEngine, ModeSwitchRewiresDecodersRatesAndModulator)
{
    ApplicationGlobals globals;
    test::FakeTextWindow keyboard;
    engine::NullWaveBackend backend;
    rig::TransceiverPort none;
    OperatingState state(globals, none, keyboard, backend, {});

    state.SetOperatingMode(10);
    EXPECT_EQ(state.mainReceiver().decoding(), Decoding::Qpsk);
    EXPECT_DOUBLE_EQ(state.transmitMachine().modulator().symbolRate(), 31.25);
    EXPECT_EQ(state.dispatch().operatingMode, 10);

    state.SetOperatingMode(9);
    EXPECT_EQ(state.mainReceiver().decoding(), Decoding::Bpsk);

    state.SetOperatingMode(4);
    EXPECT_DOUBLE_EQ(state.rttyDemodulator().symbolRate(), 45.45);
    EXPECT_DOUBLE_EQ(state.transmitMachine().modulator().symbolRate(), 90.9);
    EXPECT_DOUBLE_EQ(state.transmitMachine().modulator().shift(), 180.0);

    state.SetRtty100Baud();
    EXPECT_EQ(state.operatingMode(), 4);
    EXPECT_DOUBLE_EQ(state.rttyDemodulator().symbolRate(), 100.0);
    EXPECT_DOUBLE_EQ(state.transmitMachine().modulator().symbolRate(), 200.0);

    state.SetOperatingMode(11);
    EXPECT_EQ(state.mainReceiver().decoding(), Decoding::Bpsk);
    EXPECT_EQ(state.fsk31Demodulator().publishedCorrection(), 0);
    EXPECT_EQ(state.dispatch().demodulator(11), &state.fsk31Demodulator());
    EXPECT_EQ(state.dispatch().demodulator(4), &state.rttyDemodulator());
}

// Weak RTTY (-4 dB in 2500 Hz) through the receive dispatch: the matched-filter receiver
// (the default) copies it, the discriminator receiver, chosen in the profile, does not.
TEST(OperatingStateEngine, RttyDecoderSettingChoosesTheReceiverOfModeFour)
{
    test::FskWriter w(1600.0);
    test::keyRtty(w, test::ita2Codes(test::kQsoText, true), {1085.0, 915.0, 45.45});
    const auto audio = test::withNoise(w.samples(), 1600.0 * 1600.0 / 2.0, -4.0, 3);
    for (const bool discriminator : {false, true}) {
        ApplicationGlobals globals;
        if (discriminator) {
            test::TempDir dir;
            std::ofstream(dir.path() / "vexa.ini") << "[RTTY]\nDecoder=0\n";
            globals.settings.readOperating(Profile(dir.path() / "vexa.ini"));
        }
        test::FakeTextWindow keyboard;
        engine::NullWaveBackend backend;
        rig::TransceiverPort none;
        OperatingState state(globals, none, keyboard, backend, {});
        state.SetOperatingMode(4);
        for (std::size_t at = 0; at < audio.size(); at += 2048)
            state.dispatch().demodulate(
                std::span(audio).subspan(at, std::min<std::size_t>(2048, audio.size() - at)));
        const int errors = test::editDistance(test::kQsoText, state.receiveTextBuffer());
        if (discriminator) {
            EXPECT_GT(errors, 10);
            EXPECT_EQ(state.driftIndicator(), state.rttyDemodulator().discriminatorSum());
        } else {
            EXPECT_LE(errors, 2) << state.receiveTextBuffer();
            EXPECT_EQ(state.driftIndicator(), state.rttyMatchedDemodulator().discriminatorSum());
        }
    }
}

TEST(OperatingStateEngine, SignalFrequencyAddsTheRoundedToneOnTheDigitalSide)
{
    ApplicationGlobals globals;
    test::FakeTextWindow keyboard;
    engine::NullWaveBackend backend;
    rig::TransceiverPort none;
    OperatingState state(globals, none, keyboard, backend, {});
    state.setCarrierFrequency(1500.5, false);

    for (int mode : {4, 9, 10, 11}) {
        state.SetOperatingMode(mode);
        globals.settings.digiSide = 0;
        EXPECT_EQ(state.GetSignalFrequency(), 14071000 + 1501) << mode;
        globals.settings.digiSide = 1;
        EXPECT_EQ(state.GetSignalFrequency(), 14071000 - 1501) << mode;
    }
    for (int mode : {0, 1, 2, 3, 7}) {
        state.SetOperatingMode(mode);
        EXPECT_EQ(state.GetSignalFrequency(), 14071000) << mode;
    }
}

TEST(OperatingStateEngine, CarrierAndClicksRetuneEveryReceiverAndTheToneWhenAsked)
{
    ApplicationGlobals globals;
    globals.settings.soundFq = 1500;
    test::FakeTextWindow keyboard;
    engine::NullWaveBackend backend;
    rig::TransceiverPort none;
    OperatingState state(globals, none, keyboard, backend, {});
    EXPECT_DOUBLE_EQ(state.receiveFrequency(), 1500.0);
    EXPECT_DOUBLE_EQ(state.transmitFrequency(), 1500.0);

    state.tuneReceive(1200.0);
    EXPECT_DOUBLE_EQ(state.mainReceiver().frequency(), 1200.0);
    EXPECT_DOUBLE_EQ(state.rttyDemodulator().frequency(), 1200.0);
    EXPECT_DOUBLE_EQ(state.fsk31Demodulator().frequency(), 1200.0);
    EXPECT_DOUBLE_EQ(state.transmitFrequency(), 1500.0) << "split: the tone stays";

    state.tuneTransmitAndReceive(900.0);
    EXPECT_DOUBLE_EQ(state.transmitFrequency(), 900.0);

    state.setSecondChannelFrequency(1800.0);
    EXPECT_DOUBLE_EQ(state.secondReceiver().frequency(), 1800.0);
    EXPECT_DOUBLE_EQ(state.dispatch().secondChannelFrequency, 1800.0);
    state.setSecondChannelFrequency(0.0);
    EXPECT_DOUBLE_EQ(state.dispatch().secondChannelFrequency, 0.0);
}

// Sound-card events arrive on the backend's thread; the test plays the window's thread.
class EventQueue {
public:
    void push(const engine::WaveEvent& e)
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(e);
        m_wake.notify_one();
    }
    bool pop(engine::WaveEvent& e)
    {
        std::unique_lock lock(m_mutex);
        if (!m_wake.wait_for(lock, std::chrono::seconds(5), [&] { return !m_events.empty(); })) return false;
        e = m_events.front();
        m_events.pop_front();
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<engine::WaveEvent> m_events;
};

TEST(OperatingStateEngine, DemoRecordingDecodesIntoTheReceiveBufferAndTheSecondChannel)
{
    engine::WaveFileOptions options;
    options.inputPath = VEXA_DEMO_RECORDING;
    options.pacedInput = false;
    engine::WaveFileBackend backend(options);
    ASSERT_EQ(backend.inputError(), "");
    EventQueue events;
    ApplicationGlobals globals;
    test::FakeTextWindow keyboard;
    rig::TransceiverPort none;
    OperatingState state(globals, none, keyboard, backend,
                         [&](const engine::WaveEvent& e) { events.push(e); });
    state.SetOperatingMode(9);
    state.setSecondChannelFrequency(1480.0);  // the other contact on the demo band
    state.ApplyAudioEnabled(true);
    ASSERT_TRUE(state.inputOpen());

    engine::WaveEvent e{};
    while (!backend.inputFinished() && events.pop(e)) state.OnWaveEvent(e);
    state.ApplyAudioEnabled(false);

    EXPECT_NE(state.receiveTextBuffer().find("CQ CQ CQ de DL9VXA DL9VXA pse k"), std::string::npos)
        << state.receiveTextBuffer();
    EXPECT_FALSE(state.secondChannelTextBuffer().empty());
    EXPECT_FALSE(state.spectrumCaptureRequested()) << "a full block was captured for the display";
}

}  // namespace
}  // namespace vexa::app
