#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/device/DeviceProfile.h"
#include "sim/Command.h"

namespace sim {

// The phone a scenario asks for before its process starts: a model with its overrides and the
// capability changes made so far.
struct DeviceChoice {
    static constexpr const char* kDefaultModel = "iPhone4,1";

    cmd::Device device{kDefaultModel, {}, {}, {}};
    std::vector<cmd::Capability> capabilities;

    // The device profile of the process to start for `bundleId`. With the library's log on, the
    // unique identifier carries the library's debug-lock constant, as on a developer's phone.
    platform::DeviceProfile profile(const std::string& bundleId, bool libraryLog) const;
};

// The capability as the camera hardware names it ("focus-continuous", "preset:NAME").
std::string capabilityText(const cmd::Capability& capability);

// An identifier that contains the debug-lock constant, keeping what it can of `identifier`.
std::string withDebugLock(const std::string& identifier);

}  // namespace sim
