#include "snapforge/geometry/UIDeviceHardware.h"

#include <array>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/device/Sysctl.h"

namespace snapforge {
namespace {

// Tested in this order; the first exact match wins.
constexpr std::array<std::pair<std::string_view, float>, 25> modelRanks{{
    {"iPhone1,1", 1.0f}, {"iPhone1,2", 2.0f}, {"iPhone2,1", 3.0f}, {"iPhone3,1", 4.0f},
    {"iPhone3,3", 4.0f}, {"iPhone4,1", 5.0f}, {"iPhone5,1", 6.0f}, {"iPod1,1", 0.1f},
    {"iPod2,1", 0.2f},   {"iPod3,1", 0.3f},   {"iPod4,1", 4.4f},   {"iPod5,1", 5.5f},
    {"iPad1,1", 1.1f},   {"iPad2,1", 1.2f},   {"iPad2,2", 1.2f},   {"iPad2,3", 1.2f},
    {"iPad2,4", 1.2f},   {"iPad3,1", 5.3f},   {"iPad3,2", 5.3f},   {"iPad3,3", 5.3f},
    {"iPad4,1", 6.3f},   {"iPad4,2", 6.3f},   {"iPad4,3", 6.3f},   {"i386", 0.0f},
    {"x86_64", 0.0f},
}};

}  // namespace

std::string UIDeviceHardware::platform() {
    std::size_t size = 0;
    if (platform::sysctlbyname("hw.machine", nullptr, &size, nullptr, 0) != 0 || size == 0) {
        return {};
    }
    std::vector<char> machine(size);
    if (platform::sysctlbyname("hw.machine", machine.data(), &size, nullptr, 0) != 0) {
        return {};
    }
    return std::string(machine.data(), strnlen(machine.data(), machine.size()));
}

float UIDeviceHardware::platformID() {
    return platformID(platform());
}

float UIDeviceHardware::platformID(const std::string& machine) {
    for (const auto& [identifier, rank] : modelRanks) {
        if (identifier == machine) {
            return rank;
        }
    }
    return 0.0f;
}

}  // namespace snapforge
