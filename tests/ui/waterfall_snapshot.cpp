// Runs the spectrum widget on audio and saves a screenshot, so that the waterfall can be
// looked at: from a sound file (any rate, mixed down to mono) or, without one, from generated PSK31
// stations at 800, 1200 and 1650 Hz in noise. By default the transmit marker sits on
// 1200 Hz, the receive marker on 1650 Hz (split) and the second channel on 800 Hz.
//   waterfall_snapshot --out FILE.png [--wav FILE.wav] [--blocks N] [--zoom Z] [--type T]
//                      [--tx HZ] [--rx HZ] [--second HZ]
#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/audio/audio_file.h"
#include "support/fake_spectrum_port.h"
#include "support/psk31_test_signal.h"
#include "ui/spectrum_widget.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::string out = "waterfall.png";
    const char* wav = nullptr;
    int blocks = 260;
    int zoom = 1;
    int type = 2;
    double txHz = 1200.0, rxHz = 1650.0, secondHz = 800.0;
    const std::map<std::string, std::function<void(const char*)>> options = {
        {"--out", [&](const char* v) { out = v; }},
        {"--wav", [&](const char* v) { wav = v; }},
        {"--blocks", [&](const char* v) { blocks = std::atoi(v); }},
        {"--zoom", [&](const char* v) { zoom = std::atoi(v); }},
        {"--type", [&](const char* v) { type = std::atoi(v); }},
        {"--tx", [&](const char* v) { txHz = std::atof(v); }},
        {"--rx", [&](const char* v) { rxHz = std::atof(v); }},
        {"--second", [&](const char* v) { secondHz = std::atof(v); }},
    };
    for (int i = 1; i + 1 < argc; i += 2) {
        if (const auto o = options.find(argv[i]); o != options.end()) o->second(argv[i + 1]);
    }

    vexa::testing::FakeSpectrumPort port;
    port.settings.startHz = 384;
    port.settings.zoom = zoom;
    port.transmitHz = txHz;
    port.receiveHz = rxHz;
    port.secondHz = secondHz;
    port.mode = vexa::OperatingMode::Psk31;

    std::vector<int16_t> audio;
    if (wav) {
        vexa::engine::AudioReadResult file = vexa::engine::readAudioFile(wav);
        if (!file.ok()) {
            std::fprintf(stderr, "%s\n", file.message.c_str());
            return 1;
        }
        audio = std::move(file.samples);
        blocks = std::min<int>(blocks, static_cast<int>(audio.size() / 2048));
    } else {
        vexa::testing::Psk31TestSignal signal({{800.0, 1500}, {1200.0, 3000}, {1650.0, 800}}, 600.0);
        audio.resize(static_cast<std::size_t>(blocks) * 2048);
        signal.fill(audio);
    }

    QWidget window;
    window.setWindowTitle("Vexa spectrum");
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* spectrum = new vexa::ui::SpectrumWidget(&window, port);
    spectrum->setFixedSize(1000, 200);
    layout->addWidget(spectrum);
    window.show();
    QApplication::processEvents();
    // The widget starts as a waterfall (type 2); each step goes on to (type + 1) mod 3.
    for (int t = 0; t < (type + 1) % 3; ++t) spectrum->stepDisplayType();

    for (int b = 0; b < blocks; ++b) {
        port.offerBlock(std::span<const int16_t>(audio).subspan(static_cast<std::size_t>(b) * 2048, 2048));
        spectrum->blockDispatched();
        QApplication::processEvents();
    }
    spectrum->repaint();
    QApplication::processEvents();

    QPixmap shot;
    if (QScreen* screen = QGuiApplication::primaryScreen()) shot = screen->grabWindow(window.winId());
    if (shot.isNull()) shot = window.grab();
    if (!shot.save(QString::fromStdString(out))) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s: %d blocks, %dx%d\n", out.c_str(), blocks, shot.width(), shot.height());
    return 0;
}
