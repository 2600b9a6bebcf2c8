// Runs the spectrum widget on audio and saves a screenshot, so that the waterfall can be
// looked at: from a WAV file (16-bit mono, 11025 Hz) or, without one, from generated PSK31
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

#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_spectrum_port.h"
#include "support/psk31_test_signal.h"
#include "ui/spectrum_widget.h"

namespace {

uint32_t le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The samples of a 16-bit mono 11025 Hz WAV file, or nothing with a message on stderr.
std::optional<std::vector<int16_t>> readWav(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(&bytes[8], "WAVE", 4) != 0) {
        std::fprintf(stderr, "%s: not a WAV file\n", path);
        return std::nullopt;
    }
    bool formatOk = false;
    for (std::size_t pos = 12; pos + 8 <= bytes.size();) {
        const uint32_t size = le32(&bytes[pos + 4]);
        const std::size_t body = pos + 8;
        if (body + size > bytes.size()) break;
        if (std::memcmp(&bytes[pos], "fmt ", 4) == 0 && size >= 16) {
            const int format = bytes[body] | (bytes[body + 1] << 8);
            const int channels = bytes[body + 2] | (bytes[body + 3] << 8);
            const uint32_t rate = le32(&bytes[body + 4]);
            const int bits = bytes[body + 14] | (bytes[body + 15] << 8);
            formatOk = format == 1 && channels == 1 && rate == 11025 && bits == 16;
        } else if (std::memcmp(&bytes[pos], "data", 4) == 0) {
            if (!formatOk) break;
            std::vector<int16_t> samples(size / 2);
            std::memcpy(samples.data(), &bytes[body], samples.size() * 2);
            return samples;
        }
        pos = body + size + (size & 1);
    }
    std::fprintf(stderr, "%s: need PCM 16-bit mono at 11025 Hz\n", path);
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::string out = "waterfall.png";
    const char* wav = nullptr;
    int blocks = 260;
    int zoom = 1;
    int type = 2;
    double txHz = 1200.0, rxHz = 1650.0, secondHz = 800.0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--out")
            out = argv[i + 1];
        else if (key == "--wav")
            wav = argv[i + 1];
        else if (key == "--blocks")
            blocks = std::atoi(argv[i + 1]);
        else if (key == "--zoom")
            zoom = std::atoi(argv[i + 1]);
        else if (key == "--type")
            type = std::atoi(argv[i + 1]);
        else if (key == "--tx")
            txHz = std::atof(argv[i + 1]);
        else if (key == "--rx")
            rxHz = std::atof(argv[i + 1]);
        else if (key == "--second")
            secondHz = std::atof(argv[i + 1]);
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
        auto samples = readWav(wav);
        if (!samples) return 1;
        audio = std::move(*samples);
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
