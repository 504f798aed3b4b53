#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/device/DeviceProfile.h"

namespace host {

// The machine identifiers the camera app knows by model, in the order of its table.
const std::vector<std::string>& knownMachines();

// The device of a machine identifier as it leaves the factory: screen size, system version,
// unique identifier and camera hardware. An unknown identifier is taken for a newer phone.
platform::DeviceProfile deviceProfile(std::string_view machine);

// What a user of the simulation may change about a device.
struct DeviceOverrides {
    std::optional<std::string> systemVersion;
    std::optional<platform::CGSize> screenSize;
    std::optional<std::string> uniqueIdentifier;
};

platform::DeviceProfile deviceProfile(std::string_view machine, const DeviceOverrides& overrides);

// A stable 40-digit hexadecimal identifier, different for each machine identifier.
std::string uniqueIdentifierFor(std::string_view machine);

// Switches one named capability of the camera hardware on or off:
// focus-continuous, exposure-continuous, wb-continuous, wb-locked, focus-poi, exposure-poi,
// lock-config, video-connection, min-frame-duration, max-frame-duration, preset:NAME.
// False (and nothing changed) for a name it does not know.
bool setCapability(platform::CaptureCapabilities& capabilities, std::string_view name, bool on);

// The capability names setCapability knows, without the preset:NAME form.
const std::vector<std::string>& capabilityNames();

// The leading whole number of a version such as "6.1.3" or "10.0"; 0 without one.
int majorSystemVersion(std::string_view systemVersion);

}  // namespace host
