#include "platform/device/UIDevice.h"

#include "platform/Process.h"

namespace platform {

UIDevice& UIDevice::currentDevice() {
    return Process::current().attachment<UIDevice>();
}

std::optional<std::string> UIDevice::uniqueIdentifier() const {
    return Process::current().profile().uniqueIdentifier;
}

std::string UIDevice::systemVersion() const {
    return Process::current().profile().systemVersion;
}

std::string UIDevice::model() const {
    const std::string& machine = Process::current().profile().machine;
    if (machine.starts_with("iPod")) {
        return "iPod touch";
    }
    if (machine.starts_with("iPad")) {
        return "iPad";
    }
    return "iPhone";
}

}  // namespace platform
