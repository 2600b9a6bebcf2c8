// The window with a sound card made of files: the demo recording decoded into the receive
// window, and a transmission keyed with Pause whose audio decodes back to the typed text.
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "app/qt/application_loop.h"
#include "app/qt/main_window.h"
#include "engine/audio/audio_file.h"
#include "engine/audio/wave_file_backend.h"
#include "engine/rx/psk_receiver.h"

namespace vexa::app::qt {
namespace {

class RecordingPtt final : public TransceiverPort {
public:
    std::vector<bool> ptt;
    void SetPtt(bool on) override { ptt.push_back(on); }
};

void runOnce(ApplicationGlobals& globals, MainWindowServices services,
             std::function<void(CMainWindow&)> drive)
{
    RunApplicationLoop(globals, services, [&](CMainWindow& window) {
        QTimer::singleShot(0, &window, [&window, drive] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
            window.activateWindow();
            (void)QTest::qWaitForWindowActive(&window);
            drive(window);
            if (window.isVisible()) window.done(kResultCancel);
        });
    });
}

TEST(WindowAudio, TheDemoRecordingDecodesIntoTheReceiveWindow)
{
    engine::WaveFileOptions options;
    options.inputPath = VEXA_DEMO_RECORDING;
    options.pacedInput = false;  // as fast as the window takes the blocks
    engine::WaveFileBackend backend(options);
    ASSERT_EQ(backend.inputError(), "");
    ApplicationGlobals globals;
    MainWindowServices services;
    services.sound = &backend;
    runOnce(globals, services, [&](CMainWindow& w) {
        QTextEdit* receive = w.richEdit(1009);
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
    RecordingPtt trx;
    std::string echoed;
    {
        engine::WaveFileOptions options;
        options.outputPath = out;
        options.pacedOutput = false;
        engine::WaveFileBackend backend(options);
        ApplicationGlobals globals;
        MainWindowServices services;
        services.sound = &backend;
        services.transceiver = &trx;
        runOnce(globals, services, [&](CMainWindow& w) {
            QTextEdit* keyboard = w.richEdit(1108);
            QTest::keyClick(w.richEdit(1002), Qt::Key_Pause);
            ASSERT_TRUE(w.state().transmitActive());
            EXPECT_TRUE(keyboard->hasFocus());
            QTest::keyClicks(keyboard, QStringLiteral("cq de xx9xx pse k"));
            ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard->toPlainText().isEmpty(); }, 20000))
                << "the typed text goes out";
            QTest::keyClick(keyboard, Qt::Key_X, Qt::AltModifier);
            EXPECT_TRUE(w.richEdit(1002)->hasFocus());
            ASSERT_TRUE(QTest::qWaitFor([&] { return !w.state().transmitActive(); }, 20000));
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return w.richEdit(1009)->toPlainText().contains("pse k"); }, 2000));
            echoed = w.richEdit(1009)->toPlainText().toStdString();
        });
    }
    EXPECT_EQ(trx.ptt, (std::vector<bool>{true, false}));
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

}  // namespace
}  // namespace vexa::app::qt
