// COM port numbers, as the settings know them, mapped to Linux serial devices.
// COM n is /dev/ttyS(n-1) (COM1 = /dev/ttyS0, the motherboard ports), unless the profile
// names another device for it: "TX1"/"Com2Device=/dev/ttyUSB0" puts COM2 on a USB adapter.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/profile.h"

namespace vexa::rig {

// The profile key that overrides the device of one port: "Com%iDevice".
std::string comDeviceKey(int port);

// The device path of COM port 'port'; empty for port 0 (none) or a negative number.
std::string serialDevicePath(int port, const Profile& profile);

// The stable names udev gives USB serial adapters (one per adapter, surviving replugging),
// sorted; empty when there are none.
std::vector<std::string> serialDevicesById(const std::filesystem::path& dir = "/dev/serial/by-id");

}  // namespace vexa::rig
