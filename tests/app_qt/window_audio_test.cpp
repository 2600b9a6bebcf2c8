// The window with a sound card made of files: the demo recording decoded into the receive
// window, and a transmission keyed with Pause whose audio decodes back to the typed text.
#include <gtest/gtest.h>
#include <mutex>

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "app/qt/main_window.h"
#include "engine/audio/audio_file.h"
#include "engine/audio/wave_file_backend.h"
#include "engine/rx/psk_receiver.h"
#include "support/file_size_limit.h"
#include "support/recording_transceiver.h"
#include "support/window_harness.h"

namespace vexa::app::qt {
namespace {

// What the PSK31 receiver copies from a transmission the window wrote at 1000 Hz.
std::string decodePsk31(const std::string& wavPath)
{
    const engine::AudioReadResult audio = engine::readAudioFile(wavPath);
    EXPECT_TRUE(audio.ok()) << audio.message;
    engine::SineTable table;
    std::string text;
    engine::TextSink sink(&text);
    engine::PskReceiver rx(table, sink);
    rx.setFrequency(1000.0);
    rx.process(audio.samples);
    return text;
}

TEST(WindowAudio, TheDemoRecordingDecodesIntoTheReceiveWindow)
{
    // as fast as the window takes the blocks
    engine::WaveFileBackend backend({.inputPath = VEXA_DEMO_RECORDING, .pacedInput = false});
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
        engine::WaveFileBackend backend({.outputPath = out, .pacedOutput = false});
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

    const std::string text = decodePsk31(out);
    EXPECT_NE(text.find("cq de xx9xx pse k"), std::string::npos) << text;
}

TEST(WindowAudio, LineBreaksTypedOrPastedGoOutAsCrLf)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("tx.wav")).toStdString();
    {
        engine::WaveFileBackend backend({.outputPath = out, .pacedOutput = false});
        test::runWindowWithSound(backend, [&](CMainWindow& w) {
            QTextEdit* keyboard = w.richEdit(ControlId::KeyboardWindow);
            keyboard->setFocus();
            QTest::keyClicks(keyboard, QStringLiteral("ab"));
            QTest::keyClick(keyboard, Qt::Key_Return, Qt::ShiftModifier);
            QTest::keyClicks(keyboard, QStringLiteral("cd"));
            QApplication::clipboard()->setText(QStringLiteral("\r\nef\r\ngh\nij"));
            keyboard->paste();
            QTest::keyClick(keyboard, Qt::Key_Pause);
            ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard->toPlainText().isEmpty(); }, 20000));
            QTest::keyClick(keyboard, Qt::Key_X, Qt::AltModifier);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w.state().transmitActive(); }, 20000));
        });
    }
    const std::string text = decodePsk31(out);
    // Up to the last break: what follows it may still be on its way when the key ends
    // the transmission.
    EXPECT_NE(text.find("ab\r\ncd\r\nef\r\ngh\r\n"), std::string::npos) << text;
}

// Seconds of a square wave as a voice message file.
std::vector<int16_t> voiceMessage(const QTemporaryDir& dir, const char* name, double seconds)
{
    std::vector<int16_t> tone(static_cast<std::size_t>(seconds * 11025));
    for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<int16_t>((i / 5) % 2 ? 8000 : -8000);
    EXPECT_TRUE(engine::writeWaveFile(dir.filePath(QString::fromLatin1(name)).toStdString(), tone).ok());
    return tone;
}

TEST(WindowAudio, FunctionKeysPlayVoiceMessagesInSsbAndEscStopsThemAtOnce)
{
    QTemporaryDir dir;
    const std::vector<int16_t> tone = voiceMessage(dir, "SSB1.wav", 3.0);
    voiceMessage(dir, "SSB2.wav", 3.0);
    test::RecordingTransceiver trx;
    // Paced: a message takes its real time.
    engine::WaveFileBackend backend(
        std::vector<int16_t>(11025, 0),
        {.loopInput = true, .outputPath = dir.filePath(QStringLiteral("out.wav")).toStdString()});
    ApplicationGlobals globals;
    globals.macros.setText(0, "");  // in PSK an empty F1 types nothing and keys nothing
    std::size_t keyedBefore = 0;
    test::runWindow(globals, {.transceiver = &trx, .sound = &backend}, [&](CMainWindow& w) {
        w.state().voiceKeyer().setDirectory(dir.path().toStdString());
        QTextEdit* entry = w.richEdit(ControlId::EntryLine);
        QTest::keyClick(entry, Qt::Key_F1);
        EXPECT_FALSE(w.state().voiceKeyer().running()) << "PSK: F1 is the macro store's";

        // (The macro may have keyed a PSK transmission; the mode change ends it.)
        w.SetOperatingMode(OperatingMode::Ssb);
        EXPECT_FALSE(w.state().transmitActive());
        keyedBefore = trx.pttCount();
        QTest::keyClick(entry, Qt::Key_F1);
        EXPECT_TRUE(w.richEdit(ControlId::KeyboardWindow)->hasFocus());
        EXPECT_TRUE(w.state().voiceKeyer().running());
        QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_F2);
        QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_F1);
        EXPECT_EQ(w.state().voiceKeyer().queued(), 2u);
        QTest::keyClick(w.richEdit(ControlId::KeyboardWindow), Qt::Key_Escape);
        EXPECT_FALSE(w.state().voiceKeyer().running()) << "the message playing ends too";
        EXPECT_EQ(w.state().voiceKeyer().queued(), 0u);
        EXPECT_EQ(trx.pttCount(), keyedBefore + 2) << "and the key line is released at once";
        EXPECT_TRUE(w.state().inputOpen());
        EXPECT_TRUE(w.isVisible());
    });
    const std::vector<bool> ptt = trx.ptt();
    EXPECT_EQ(std::vector<bool>(ptt.begin() + static_cast<long>(keyedBefore), ptt.end()),
              (std::vector<bool>{true, false}));
    EXPECT_LT(backend.samplesPlayed(), tone.size());
}

TEST(WindowAudio, ClosingTheWindowDuringAVoiceMessageStopsItWithoutWaiting)
{
    QTemporaryDir dir;
    const std::vector<int16_t> tone = voiceMessage(dir, "SSB1.wav", 5.0);
    test::RecordingTransceiver trx;
    engine::WaveFileBackend backend({.outputPath = dir.filePath(QStringLiteral("out.wav")).toStdString()});
    ApplicationGlobals globals;
    test::runWindow(globals, {.transceiver = &trx, .sound = &backend}, [&](CMainWindow& w) {
        w.state().voiceKeyer().setDirectory(dir.path().toStdString());
        w.SetOperatingMode(OperatingMode::Usb);
        QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_F1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return trx.pttCount() == 1; }, 2000));
        w.CloseMainWindow();
        EXPECT_EQ(trx.pttCount(), 2u) << "released before the window goes";
    });
    EXPECT_EQ(trx.ptt(), (std::vector<bool>{true, false}));
    EXPECT_LT(backend.samplesPlayed(), tone.size()) << "the message was not played to its end";
}

TEST(WindowAudio, AVoiceMessageEndsADigitalTransmissionFirst)
{
    QTemporaryDir dir;
    voiceMessage(dir, "SSB1.wav", 0.5);
    test::RecordingTransceiver trx;
    engine::WaveFileBackend backend(
        {.outputPath = dir.filePath(QStringLiteral("out.wav")).toStdString(), .pacedOutput = false});
    test::runWindowWithSound(
        backend,
        [&](CMainWindow& w) {
            w.state().voiceKeyer().setDirectory(dir.path().toStdString());
            QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Pause);
            ASSERT_TRUE(w.state().transmitActive());
            // The voice keyer is started while PSK is still sending (a macro, say).
            w.state().voiceKeyer().queueMessage(0);
            EXPECT_FALSE(w.state().transmitActive());
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w.state().voiceKeyer().running(); }, 5000));
        },
        &trx);
    EXPECT_EQ(trx.ptt(), (std::vector<bool>{true, false, true, false}));
}

TEST(WindowAudio, AnOutputThatFailsWhileSendingEndsTheTransmissionWithOneLine)
{
    QTemporaryDir dir;
    test::RecordingTransceiver trx;
    engine::WaveFileBackend backend(std::vector<int16_t>(11025, 0),
                                    {.loopInput = true,
                                     .outputPath = dir.filePath(QStringLiteral("tx.wav")).toStdString(),
                                     .pacedOutput = false});
    test::runWindowWithSound(
        backend,
        [&](CMainWindow& w) {
            ASSERT_TRUE(w.state().inputOpen());
            test::FileSizeLimit disk(200000);  // the disk is full after about 12 blocks
            ASSERT_TRUE(disk.active());
            QTest::keyClick(w.richEdit(ControlId::EntryLine), Qt::Key_Pause);
            ASSERT_TRUE(w.state().transmitActive());
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w.state().transmitActive(); }, 20000))
                << "an idle transmission only ends through the failure";
            EXPECT_TRUE(w.state().inputOpen());
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    return w.richEdit(ControlId::ReceiveWindow)
                        ->toPlainText()
                        .contains(QStringLiteral("Sound output failed"));
                },
                2000));
            EXPECT_EQ(w.richEdit(ControlId::ReceiveWindow)
                          ->toPlainText()
                          .count(QStringLiteral("Sound output failed")),
                      1);
        },
        &trx);
    EXPECT_EQ(trx.ptt(), (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace vexa::app::qt
