#include "app/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/tx/transmit_level.h"

namespace vexa::app {
namespace {

// Latitude and longitude are stored as text with six decimals (about 0.1 m). charconv,
// not printf/strtod: the Qt shell sets the user's locale, which may use a decimal comma.
std::string formatDegrees(double value)
{
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, r.ptr);
}

double readDegrees(const Profile& profile, const char* key, double current, double limit)
{
    const std::string text = profile.readString("Station", key, "");
    if (text.empty()) return current;
    const char* first = text.c_str();
    if (*first == '+') ++first;
    double value = 0.0;
    const auto r = std::from_chars(first, text.c_str() + text.size(), value);
    if (r.ec != std::errc() || r.ptr == first || !std::isfinite(value) || std::fabs(value) > limit)
        return current;
    return value;
}

}  // namespace

int spectrumStartBinFor(int startFq) noexcept
{
    return static_cast<int>(std::trunc(startFq / (11025.0 / 2048.0)));
}

void Settings::recomputeSpectrumStartBin() noexcept
{
    spectrumStartBin = spectrumStartBinFor(startFq);
}

void Settings::readLayout(const Profile& profile)
{
    largeScreen = profile.readInt("Keyboard", "LargeScreen", largeScreen);
}

void Settings::readOperating(const Profile& profile)
{
    cwId = profile.readInt("Station", "CwId", cwId);
    comPort = profile.readInt("TX1", "ComPort", 2);
    comSpeed = profile.readInt("TX1", "ComSpeed", 1200);
    type = profile.readInt("TX1", "Type", 0);
    swapPttAndCw = profile.readInt("TX1", "SwapPttAndCw", swapPttAndCw);
    digiSide = profile.readInt("TX1", "DigiSide", digiSide);
    icomAddr = profile.readInt("TX1", "IcomAddr", icomAddr);
    rigctld = profile.readString("TX1", "Rigctld", rigctld);
    catPtt = profile.readInt("TX1", "CatPtt", catPtt);
    soundFq = profile.readInt("Spectrum", "SoundFq", soundFq);
    startFq = profile.readInt("Spectrum", "StartFq", startFq);
    zoom = profile.readInt("Spectrum", "Zoom", zoom);
    clampToSheetRanges();
    averageInverted = profile.readInt("Spectrum", "AverageInverted", averageInverted);
    showAverage = profile.readInt("Spectrum", "ShowAverage", showAverage);
    averageThickLine = profile.readInt("Spectrum", "AverageThickLine", averageThickLine);
    recomputeSpectrumStartBin();
    unshiftOnSpace = profile.readInt("RTTY", "UnshiftOnSpace", unshiftOnSpace);
    rttyDecoder = profile.readInt("RTTY", "Decoder", rttyDecoder);
    readSound(profile);
    readStation(profile);
}

// A hand-edited profile may hold anything; these values feed arithmetic (the Morse unit
// times four, the carrier added to the dial, pixels per bin), so they are kept to what
// the settings sheet itself accepts rather than overflow an int or leave the tuning
// outside the spectrum.
void Settings::clampToSheetRanges() noexcept
{
    cwId = std::clamp(cwId, 1, 3);
    if (comSpeed <= 0) comSpeed = 1200;
    soundFq = std::clamp(soundFq, 300, 3000);
    startFq = std::clamp(startFq, 0, 2000);
    zoom = std::clamp(zoom, 0, 2);
    sound.transmitLevelDb =
        std::clamp(sound.transmitLevelDb, engine::TransmitLevel::kMinDb, engine::TransmitLevel::kMaxDb);
}

// Profiles written before input and output were chosen apart name one "Device" for both.
void Settings::readSound(const Profile& profile)
{
    const std::string both = profile.readString("Sound", "Device", "");
    sound.inputDevice = profile.readString("Sound", "InputDevice", both.empty() ? sound.inputDevice : both);
    sound.outputDevice =
        profile.readString("Sound", "OutputDevice", both.empty() ? sound.outputDevice : both);
    if (sound.inputDevice.empty()) sound.inputDevice = engine::kDefaultSoundDevice;
    if (sound.outputDevice.empty()) sound.outputDevice = engine::kDefaultSoundDevice;
    sound.transmitLevelDb = profile.readInt("Sound", "TransmitLevel", sound.transmitLevelDb);
    clampToSheetRanges();
}

bool Settings::writeSound(Profile& profile) const
{
    bool ok = profile.writeString("Sound", "InputDevice", sound.inputDevice);
    ok = profile.writeString("Sound", "OutputDevice", sound.outputDevice) && ok;
    return profile.writeInt("Sound", "TransmitLevel", sound.transmitLevelDb) && ok;
}

void Settings::readText(const Profile& profile)
{
    wrap = profile.readInt("Keyboard", "Wrap", wrap);
    boldFont = profile.readInt("Keyboard", "BoldFont", boldFont);
}

void Settings::readStation(const Profile& profile)
{
    station.call = profile.readString("Station", "Call", station.call);
    station.name = profile.readString("Station", "Name", station.name);
    station.qth = profile.readString("Station", "QTH", station.qth);
    station.latitude = readDegrees(profile, "Latitude", station.latitude, 90.0);
    station.longitude = readDegrees(profile, "Longitude", station.longitude, 180.0);
}

bool Settings::writeIntegerKeys(Profile& profile) const
{
    struct Entry {
        const char* section;
        const char* key;
        int value;
    };
    const Entry entries[] = {
        {"Station", "CwId", cwId},
        {"TX1", "ComPort", comPort},
        {"TX1", "ComSpeed", comSpeed},
        {"TX1", "Type", type},
        {"TX1", "SwapPttAndCw", swapPttAndCw},
        {"TX1", "DigiSide", digiSide},
        {"TX1", "IcomAddr", icomAddr},
        {"Spectrum", "SoundFq", soundFq},
        {"Spectrum", "StartFq", startFq},
        {"Spectrum", "AverageInverted", averageInverted},
        {"Spectrum", "ShowAverage", showAverage},
        {"Spectrum", "AverageThickLine", averageThickLine},
        {"Spectrum", "Zoom", zoom},
        {"Keyboard", "Wrap", wrap},
        {"Keyboard", "BoldFont", boldFont},
        {"Keyboard", "LargeScreen", largeScreen},
    };
    bool ok = true;
    for (const Entry& e : entries) ok = profile.writeInt(e.section, e.key, e.value) && ok;
    return ok;
}

bool Settings::writeStation(Profile& profile) const
{
    bool ok = profile.writeString("Station", "Call", station.call);
    ok = profile.writeString("Station", "Name", station.name) && ok;
    ok = profile.writeString("Station", "QTH", station.qth) && ok;
    ok = profile.writeString("Station", "Latitude", formatDegrees(station.latitude)) && ok;
    ok = profile.writeString("Station", "Longitude", formatDegrees(station.longitude)) && ok;
    return ok;
}

}  // namespace vexa::app
