// The window with a sound card made of files: the demo recording decoded into the receive
// window, and a transmission keyed with Pause whose audio decodes back to the typed text.
#include <gtest/gtest.h>
#include <mutex>

#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "app/qt/main_window.h"
#include "engine/audio/audio_file.h"
#include "engine/audio/wave_file_backend.h"
#include "engine/rx/psk_receiver.h"
#include "support/recording_transceiver.h"
#include "support/window_harness.h"

namespace vexa::app::qt {
namespace {

TEST(WindowAudio, TheDemoRecordingDecodesIntoTheReceiveWindow)
{
    engine::WaveFileOptions options;
    options.inputPath = VEXA_DEMO_RECORDING;
    options.pacedInput = false;  // as fast as the window takes the blocks
    engine::WaveFileBackend backend(options);
    ASSERT_EQ(backend.inputError(), "");
    ApplicationGlobals globals;
    test::runWindow(globals, {.sound = &backend}, [&](CMainWindow& w) {
        QTextEdit* receive = w.richEdit(ControlId::ReceiveWindow);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return receive->toPlainText().contains(QStringLiteral("DL9VXA de G0VXB")); }, 30000))
            << receive->toPlainText().toStdString();
        EXPECT_TRUE(receive->toPlainText().contains(QStringLiteral("CQ CQ CQ de DL9VXA DL9VXA pse k")));
        EXPECT_FALSE(globals.textFlow.capturedCall().empty());
    });
}

TEST(WindowAudio, PauseTransmitsTheKeyboardWindowAndEndsAfterTheTail)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("tx.wav")).toStdString();
    test::RecordingTransceiver trx;
    std::string echoed;
    {
        engine::WaveFileOptions options;
        options.outputPath = out;
        options.pacedOutput = false;
        engine::WaveFileBackend backend(options);
        ApplicationGlobals globals;
        test::runWindow(globals, {.transceiver = &trx, .sound = &backend}, [&](CMainWindow& w) {
            QTextEdit* keyboard = w.richEdit(ControlId::KeyboardWindow);
            QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Pause);
            ASSERT_TRUE(w.state().transmitActive());
            EXPECT_TRUE(keyboard->hasFocus());
            QTest::keyClicks(keyboard, QStringLiteral("cq de xx9xx pse k"));
            ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard->toPlainText().isEmpty(); }, 20000))
                << "the typed text goes out";
            QTest::keyClick(keyboard, Qt::Key_X, Qt::AltModifier);
            EXPECT_TRUE(w.richEdit(ControlId::EntryLine)->hasFocus());
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w.state().transmitActive(); }, 20000));
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return w.richEdit(ControlId::ReceiveWindow)->toPlainText().contains("pse k"); }, 2000));
            echoed = w.richEdit(ControlId::ReceiveWindow)->toPlainText().toStdString();
        });
    }
    EXPECT_EQ(trx.ptt(), (std::vector<bool>{true, false}));
    EXPECT_NE(echoed.find("cq de xx9xx pse k"), std::string::npos) << echoed;

    const engine::AudioReadResult audio = engine::readAudioFile(out);
    ASSERT_TRUE(audio.ok()) << audio.message;
    engine::SineTable table;
    std::string text;
    engine::TextSink sink(&text);
    engine::PskReceiver rx(table, sink);
    rx.setFrequency(1000.0);
    rx.process(audio.samples);
    EXPECT_NE(text.find("cq de xx9xx pse k"), std::string::npos) << text;
}

TEST(WindowAudio, FunctionKeysPlayVoiceMessagesInSsbAndEscEmptiesTheQueue)
{
    QTemporaryDir dir;
    std::vector<int16_t> tone(5512);  // half a second of a square wave
    for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<int16_t>((i / 5) % 2 ? 8000 : -8000);
    ASSERT_TRUE(engine::writeWaveFile(dir.filePath(QStringLiteral("SSB1.wav")).toStdString(), tone).ok());
    ASSERT_TRUE(engine::writeWaveFile(dir.filePath(QStringLiteral("SSB2.wav")).toStdString(), tone).ok());
    test::RecordingTransceiver trx;
    engine::WaveFileOptions options;
    options.outputPath = dir.filePath(QStringLiteral("out.wav")).toStdString();
    engine::WaveFileBackend backend(options);  // paced: a message takes its real time
    ApplicationGlobals globals;
    globals.macros.setText(0, "");  // in PSK an empty F1 types nothing and keys nothing
    test::runWindow(globals, {.transceiver = &trx, .sound = &backend}, [&](CMainWindow& w) {
        w.state().voiceKeyer().setDirectory(dir.path().toStdString());
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        QTest::keyClick(entry, Qt::Key_F1);
        EXPECT_FALSE(w.state().voiceKeyer().running()) << "PSK: F1 is the macro store's";

        w.SetOperatingMode(OperatingMode::Ssb);
        QTest::keyClick(entry, Qt::Key_F1);
        EXPECT_TRUE(w.richEdit(ControlId::KeyboardWindow)->hasFocus());
        // Once message 0 has started, the next ones wait in the queue.
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.state().voiceKeyer().queued() == 0; }, 2000));
        QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_F2);
        QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_F1);
        EXPECT_TRUE(w.state().voiceKeyer().running());
        EXPECT_EQ(w.state().voiceKeyer().queued(), 2u);
        QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_Escape);
        EXPECT_EQ(w.state().voiceKeyer().queued(), 0u);
        EXPECT_TRUE(w.isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w.state().voiceKeyer().running(); }, 5000));
    });
    ASSERT_GE(trx.ptt().size(), 2u);
    EXPECT_EQ(trx.ptt()[0], true);
    EXPECT_EQ(trx.ptt()[1], false);
    EXPECT_EQ(trx.ptt().size(), 2u) << "one message played, the two queued after it dropped";
    EXPECT_GE(backend.samplesPlayed(), tone.size());
    EXPECT_LT(backend.samplesPlayed(), 2 * tone.size() + 4096);
}

TEST(WindowAudio, AVoiceMessageStillPlayingWhenTheWindowGoesEndsCleanly)
{
    QTemporaryDir dir;
    std::vector<int16_t> tone(11025, 4000);
    ASSERT_TRUE(engine::writeWaveFile(dir.filePath(QStringLiteral("SSB1.wav")).toStdString(), tone).ok());
    test::RecordingTransceiver trx;
    engine::WaveFileOptions options;
    options.outputPath = dir.filePath(QStringLiteral("out.wav")).toStdString();
    engine::WaveFileBackend backend(options);
    ApplicationGlobals globals;
    test::runWindow(globals, {.transceiver = &trx, .sound = &backend}, [&](CMainWindow& w) {
        w.state().voiceKeyer().setDirectory(dir.path().toStdString());
        w.SetOperatingMode(OperatingMode::Usb);
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_F1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return trx.pttCount() == 1; }, 2000));
        w.CloseMainWindow();
    });
    EXPECT_EQ(trx.ptt(), (std::vector<bool>{true, false})) << "the key line is released";
}

}  // namespace
}  // namespace vexa::app::qt
