#include "rig/serial_device.h"

#include <algorithm>
#include <system_error>

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

std::vector<std::string> serialDevicesById(const std::filesystem::path& dir)
{
    std::vector<std::string> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        out.push_back(it->path().string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace vexa::rig
