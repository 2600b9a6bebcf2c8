#include "rig/serial_device.h"

namespace vexa::rig {

std::string comDeviceKey(int port)
{
    return "Com" + std::to_string(port) + "Device";
}

std::string serialDevicePath(int port, const Profile& profile)
{
    if (port < 1) return {};
    const std::string fallback = "/dev/ttyS" + std::to_string(port - 1);
    const std::string chosen = profile.readString("TX1", comDeviceKey(port), fallback);
    return chosen.empty() ? fallback : chosen;
}

}  // namespace vexa::rig
