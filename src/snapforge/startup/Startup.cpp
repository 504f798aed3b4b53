#include "snapforge/startup/Startup.h"

#include <string>

#include "platform/Process.h"
#include "platform/device/NSBundle.h"
#include "platform/device/UIDevice.h"
#include "platform/runtime/Runtime.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/geometry/UIDeviceHardware.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

struct HookRecord {
    int installed = 0;
};

bool isAcceptedProcess(const std::string& bundleIdentifier) {
    return bundleIdentifier == "com.apple.camera" || bundleIdentifier == "com.apple.springboard";
}

bool hasDebugLock() {
    auto identifier = platform::UIDevice::currentDevice().uniqueIdentifier();
    return identifier && identifier->find(kDebugLockConstant) != std::string::npos;
}

// The major version read whole: "10.0" is 10.
int majorVersion(const std::string& systemVersion) {
    int major = 0;
    for (char c : systemVersion) {
        if (c < '0' || c > '9' || major > 100000) {
            break;
        }
        major = major * 10 + (c - '0');
    }
    return major;
}

}  // namespace

int installedHookCount() {
    return platform::Process::current().attachment<HookRecord>().installed;
}

void SnapforgeInitialize() {
    if (!isAcceptedProcess(platform::NSBundle::mainBundle().bundleIdentifier())) {
        return;
    }
    State& s = state();
    s.LOGGER_ON = hasDebugLock();
    if (majorVersion(platform::UIDevice::currentDevice().systemVersion()) >= 6) {
        s.IS_IOS6 = true;
    }
    hideCameraBar(nullptr, 0.3);
    const float rank = UIDeviceHardware::platformID();
    s.DISABLE_SAVE = static_cast<double>(rank) < 5.0;
    if (s.LOGGER_ON) {
        s.DISABLE_SAVE = false;
        log("** SnapforgeInitialize ** DISABLE_SAVE = %@", s.DISABLE_SAVE);
        log("** SnapforgeInitialize ** platformID = %f", static_cast<double>(rank));
    }
    platform::Process::current().attachment<HookRecord>().installed = installHooks();
}

}  // namespace snapforge
