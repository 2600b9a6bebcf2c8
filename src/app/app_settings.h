// The settings as the running program holds them: read once while the main window starts,
// written back only by the settings sheet and the macro editor. The values here are the
// defaults used when the profile has none.
#pragma once

namespace vexa::app {

struct AppSettings {
    // "Keyboard"
    int largeScreen = 0;
    int wrap = 80;
    int boldFont = 0;
    // "Station"
    int cwId = 2;
    // "TX1"
    int comPort = 2;
    int comSpeed = 1200;
    int transceiverType = 0;
    int swapPttAndCw = 0;
    int digiSide = 0;
    int icomAddr = 0;
    // "Spectrum"
    int soundFq = 1000;
    int startFq = 384;
    int zoom = 1;
    int averageInverted = 0;
    int showAverage = 0;
    int averageThickLine = 0;

    // Width of one spectrum bin: half the sample rate over 1024 points.
    static constexpr double kBinWidthHz = 11025.0 / 2048.0;
    int spectrumStartBin() const noexcept { return static_cast<int>(startFq / kBinWidthHz); }
};

}  // namespace vexa::app
