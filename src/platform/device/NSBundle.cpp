#include "platform/device/NSBundle.h"

#include "platform/Process.h"

namespace platform {

NSBundle& NSBundle::mainBundle() {
    return Process::current().attachment<NSBundle>();
}

std::string NSBundle::bundleIdentifier() const {
    return Process::current().profile().bundleIdentifier;
}

}  // namespace platform
