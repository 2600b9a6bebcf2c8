// Every setting Vexa keeps in its profile, with its default, and the station data.
// The values live here for the whole run (they outlive a rebuild of the main window); they
// are read in the order the main window's start-up needs them, and written back when the
// settings sheet is confirmed.
//
// Reading rule: a key's default is the value currently held here (which starts at the
// table default), except "ComPort", "ComSpeed" and "Type", which always default to 2,
// 1200 and 0 — so a window rebuilt after a layout switch keeps what is in memory.
#pragma once

#include <string>

#include "common/profile.h"
#include "engine/audio/sound_devices.h"

namespace vexa::app {

// The station's own data: call sign, operator, location.
struct StationData {
    std::string call = "XX9XX";
    std::string name = "Sam";
    std::string qth = "Lakeside";
    double latitude = 50.5;   // degrees, north positive
    double longitude = 30.5;  // degrees, east positive
};

struct Settings {
    // "Keyboard"
    int largeScreen = 0;  // non-zero: large layout
    int wrap = 80;        // receive-window wrap column
    int boldFont = 0;
    // "Station"
    int cwId = 2;  // Morse unit of the CW identification in PSK symbols, 1..3
    // "TX1"
    int comPort = 2;  // 0 none, n: COM n (see serial_device.h)
    int comSpeed = 1200;
    int type = 0;          // TransceiverType: 0 None, 1 IC735, 2 ICxxx, 3 FT990, 4 TS850, 5 Hamlib
    int swapPttAndCw = 0;  // non-zero: PTT on DTR instead of RTS
    int digiSide = 0;      // 0 USB, 1 LSB
    int icomAddr = 0;
    std::string rigctld = "localhost:4532";  // "Rigctld": Hamlib's rigctld for type 5
    int catPtt = 0;                          // "CatPtt": non-zero keys over the command link
    // "Spectrum"
    int soundFq = 1000;  // initial carrier audio frequency, Hz
    int startFq = 384;   // lowest audio frequency of the spectrum display, Hz
    int zoom = 1;
    int averageInverted = 0;
    int showAverage = 0;
    int averageThickLine = 0;
    // "RTTY"
    int unshiftOnSpace = 1;  // a space returns the Baudot decoder to letters
    int rttyDecoder = 1;     // "Decoder": 0 the discriminator receiver, 1 the matched-filter one
    // "Sound": "InputDevice", "OutputDevice" (absent: the older "Device" for both, else
    // "default") and "TransmitLevel" (dB, -40..0)
    engine::SoundChoice sound;

    StationData station;

    // Derived from startFq: the first spectrum bin shown (bins of 11025/2048 Hz).
    int spectrumStartBin = 71;

    // Start-up step 2: "Keyboard"/"LargeScreen".
    void readLayout(const Profile& profile);
    // Start-up step 8: "CwId", "ComPort", "ComSpeed", "Type", "SwapPttAndCw", "DigiSide",
    // "IcomAddr", "Rigctld", "CatPtt", "SoundFq", "StartFq", "Zoom", "AverageInverted", "ShowAverage",
    // "AverageThickLine"; then the spectrum start bin; then "RTTY"/"UnshiftOnSpace" and
    // "Decoder", the "Sound" keys and the station data. Values outside the sheet's ranges
    // are clamped.
    void readOperating(const Profile& profile);
    // Start-up step 15 (after the macro texts, which the macro store reads): "Wrap", "BoldFont".
    void readText(const Profile& profile);
    // "Sound": the devices and the transmit level.
    void readSound(const Profile& profile);
    // "Station": "Call", "Name", "QTH", "Latitude", "Longitude".
    void readStation(const Profile& profile);

    // The confirmed settings sheet: every integer key, in a fixed order ("CwId"; "TX1"
    // "ComPort".."IcomAddr"; "Spectrum" "SoundFq", "StartFq", "AverageInverted",
    // "ShowAverage", "AverageThickLine", "Zoom"; "Keyboard" "Wrap", "BoldFont",
    // "LargeScreen"). False if any write failed (the others are still attempted).
    [[nodiscard]] bool writeIntegerKeys(Profile& profile) const;
    // The "Sound" page: "InputDevice", "OutputDevice", "TransmitLevel".
    [[nodiscard]] bool writeSound(Profile& profile) const;
    // The station data, so that it survives the end of the program.
    [[nodiscard]] bool writeStation(Profile& profile) const;

    void recomputeSpectrumStartBin() noexcept;
    // "CwId" 1 to 3, "ComSpeed" positive (else 1200), "SoundFq" 300 to 3000 Hz, "StartFq"
    // 0 to 2000 Hz, "Zoom" 0 to 2, "TransmitLevel" -40 to 0 dB: done by readOperating.
    void clampToSheetRanges() noexcept;
};

// trunc(startFq / (11025 / 2048)): 71 for 384 Hz, 0 for 0 Hz.
int spectrumStartBinFor(int startFq) noexcept;

}  // namespace vexa::app
