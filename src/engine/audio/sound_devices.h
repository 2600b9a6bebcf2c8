// Choosing the sound card by name: what a backend with real devices offers the settings
// (the names it can record from and play to, "default" first) and the operator's choice.
// The chosen names are used at the next open of each direction; a name that is not there
// any more is the caller's to replace by "default" (hasInputDevice / hasOutputDevice).
#pragma once

#include <string>
#include <vector>

namespace vexa::engine {

// The system's default device, listed first.
inline constexpr const char* kDefaultSoundDevice = "default";

// What the operator chose on the "Sound" page.
struct SoundChoice {
    std::string inputDevice = kDefaultSoundDevice;
    std::string outputDevice = kDefaultSoundDevice;
    int transmitLevelDb = 0;  // 0 full scale, down to -40
    bool operator==(const SoundChoice&) const = default;
};

class SoundDevices {
public:
    virtual ~SoundDevices() = default;
    virtual std::vector<std::string> inputDeviceNames() const = 0;
    virtual std::vector<std::string> outputDeviceNames() const = 0;
    virtual bool hasInputDevice(const std::string& name) const = 0;
    virtual bool hasOutputDevice(const std::string& name) const = 0;
    // Takes effect at the next open of each direction.
    virtual void selectDevices(const std::string& input, const std::string& output) = 0;
};

}  // namespace vexa::engine
