#include "sim/DeviceSetup.h"

#include "host/DeviceModels.h"
#include "snapforge/startup/Startup.h"

namespace sim {

platform::DeviceProfile DeviceChoice::profile(const std::string& bundleId, bool libraryLog) const {
    host::DeviceOverrides overrides;
    overrides.systemVersion = device.ios;
    overrides.screenSize = device.screen;
    overrides.uniqueIdentifier = device.identifier;
    auto profile = host::deviceProfile(device.model, overrides);
    for (const auto& capability : capabilities) {
        host::setCapability(profile.capture, capabilityText(capability), capability.on);
    }
    profile.bundleIdentifier = bundleId;
    if (libraryLog) {
        profile.uniqueIdentifier = withDebugLock(
            profile.uniqueIdentifier.value_or(host::uniqueIdentifierFor(device.model)));
    }
    return profile;
}

std::string capabilityText(const cmd::Capability& capability) {
    if (capability.kind == CapabilityKind::Preset) {
        return "preset:" + capability.preset;
    }
    return std::string(capabilityName(capability.kind));
}

std::string withDebugLock(const std::string& identifier) {
    const std::string lock(snapforge::kDebugLockConstant);
    if (identifier.find(lock) != std::string::npos) {
        return identifier;
    }
    // Same length as before when the identifier is longer than the constant.
    return lock + (identifier.size() > lock.size() ? identifier.substr(lock.size()) : "");
}

}  // namespace sim
