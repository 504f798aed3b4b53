#include "host/DeviceModels.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace host {
namespace {

using platform::CaptureCapabilities;
using platform::CGSize;

enum class Camera { None, Still, Vga, Hd720FixedFocus, Hd720, Hd1080 };

struct Model {
    const char* machine;
    CGSize screen;
    const char* systemVersion;
    Camera camera;
};

constexpr CGSize kPhone{320, 480};
constexpr CGSize kTallPhone{320, 568};
constexpr CGSize kPad{768, 1024};

// clang-format off
const Model kModels[] = {
    {"iPhone1,1", kPhone, "3.1.3", Camera::Still},
    {"iPhone1,2", kPhone, "4.2.1", Camera::Still},
    {"iPhone2,1", kPhone, "6.1.6", Camera::Vga},
    {"iPhone3,1", kPhone, "6.1.3", Camera::Hd720},
    {"iPhone3,3", kPhone, "6.1.3", Camera::Hd720},
    {"iPhone4,1", kPhone, "6.1.3", Camera::Hd1080},
    {"iPhone5,1", kTallPhone, "6.1.4", Camera::Hd1080},
    {"iPod1,1", kPhone, "3.1.3", Camera::None},
    {"iPod2,1", kPhone, "4.2.1", Camera::None},
    {"iPod3,1", kPhone, "5.1.1", Camera::None},
    {"iPod4,1", kPhone, "6.1.3", Camera::Hd720FixedFocus},
    {"iPod5,1", kTallPhone, "6.1.3", Camera::Hd1080},
    {"iPad1,1", kPad, "5.1.1", Camera::None},
    {"iPad2,1", kPad, "6.1.3", Camera::Hd720FixedFocus},
    {"iPad2,2", kPad, "6.1.3", Camera::Hd720FixedFocus},
    {"iPad2,3", kPad, "6.1.3", Camera::Hd720FixedFocus},
    {"iPad2,4", kPad, "6.1.3", Camera::Hd720FixedFocus},
    {"iPad3,1", kPad, "6.1.3", Camera::Hd1080},
    {"iPad3,2", kPad, "6.1.3", Camera::Hd1080},
    {"iPad3,3", kPad, "6.1.3", Camera::Hd1080},
    {"iPad4,1", kPad, "6.1.3", Camera::Hd1080},
    {"iPad4,2", kPad, "6.1.3", Camera::Hd1080},
    {"iPad4,3", kPad, "6.1.3", Camera::Hd1080},
    {"i386", kPhone, "6.1", Camera::None},
    {"x86_64", kPhone, "6.1", Camera::None},
};
// clang-format on

const Model kNewerPhone{"", kPhone, "6.1.3", Camera::Hd1080};

const Model& modelFor(std::string_view machine) {
    for (const Model& model : kModels) {
        if (machine == model.machine) {
            return model;
        }
    }
    return kNewerPhone;
}

void removePresets(CaptureCapabilities& capabilities, std::initializer_list<const char*> presets) {
    for (const char* preset : presets) {
        capabilities.sessionPresets.erase(preset);
    }
}

void makeFixedFocus(CaptureCapabilities& capabilities) {
    capabilities.focusModes = {0};
    capabilities.focusPointOfInterest = false;
}

CaptureCapabilities capabilitiesOf(Camera camera) {
    CaptureCapabilities capabilities;
    switch (camera) {
        case Camera::Hd1080:
            break;
        case Camera::Hd720FixedFocus:
            makeFixedFocus(capabilities);
            [[fallthrough]];
        case Camera::Hd720:
            removePresets(capabilities, {"AVCaptureSessionPreset1920x1080"});
            break;
        case Camera::Vga:
            removePresets(
                capabilities,
                {"AVCaptureSessionPreset1920x1080", "AVCaptureSessionPreset1280x720",
                 "AVCaptureSessionPresetiFrame960x540", "AVCaptureSessionPresetiFrame1280x720"});
            break;
        case Camera::Still:
            // Stills only: fixed focus, no continuous exposure, no video.
            makeFixedFocus(capabilities);
            capabilities.exposureModes = {0, 1};
            capabilities.exposurePointOfInterest = false;
            capabilities.whiteBalanceModes = {0, 2};
            capabilities.videoConnection = false;
            capabilities.minFrameDuration = false;
            capabilities.maxFrameDuration = false;
            capabilities.sessionPresets = {
                "AVCaptureSessionPresetPhoto", "AVCaptureSessionPresetHigh",
                "AVCaptureSessionPresetMedium", "AVCaptureSessionPresetLow"};
            break;
        case Camera::None:
            capabilities.focusModes.clear();
            capabilities.exposureModes.clear();
            capabilities.whiteBalanceModes.clear();
            capabilities.focusPointOfInterest = false;
            capabilities.exposurePointOfInterest = false;
            capabilities.videoConnection = false;
            capabilities.minFrameDuration = false;
            capabilities.maxFrameDuration = false;
            capabilities.sessionPresets.clear();
            break;
    }
    return capabilities;
}

void setMode(std::set<int>& modes, int mode, bool on) {
    if (on) {
        modes.insert(mode);
    } else {
        modes.erase(mode);
    }
}

std::uint64_t fnv1a(std::string_view text, std::uint64_t seed) {
    std::uint64_t hash = 14695981039346656037ull ^ seed;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

const std::vector<std::string>& knownMachines() {
    static const std::vector<std::string> machines = [] {
        std::vector<std::string> result;
        for (const Model& model : kModels) {
            result.emplace_back(model.machine);
        }
        return result;
    }();
    return machines;
}

platform::DeviceProfile deviceProfile(std::string_view machine) {
    const Model& model = modelFor(machine);
    platform::DeviceProfile profile;
    profile.machine = std::string(machine);
    profile.systemVersion = model.systemVersion;
    profile.uniqueIdentifier = uniqueIdentifierFor(machine);
    profile.screenSize = model.screen;
    profile.capture = capabilitiesOf(model.camera);
    return profile;
}

platform::DeviceProfile deviceProfile(std::string_view machine, const DeviceOverrides& overrides) {
    platform::DeviceProfile profile = deviceProfile(machine);
    if (overrides.systemVersion) {
        profile.systemVersion = *overrides.systemVersion;
    }
    if (overrides.screenSize) {
        profile.screenSize = *overrides.screenSize;
    }
    if (overrides.uniqueIdentifier) {
        profile.uniqueIdentifier = *overrides.uniqueIdentifier;
    }
    return profile;
}

std::string uniqueIdentifierFor(std::string_view machine) {
    std::string identifier;
    char digits[17];
    for (std::uint64_t part = 0; identifier.size() < 40; ++part) {
        std::snprintf(digits, sizeof digits, "%016llx",
                      static_cast<unsigned long long>(fnv1a(machine, part)));
        identifier += digits;
    }
    identifier.resize(40);
    return identifier;
}

bool setCapability(platform::CaptureCapabilities& capabilities, std::string_view name, bool on) {
    constexpr std::string_view kPresetPrefix = "preset:";
    if (name.starts_with(kPresetPrefix)) {
        const std::string preset(name.substr(kPresetPrefix.size()));
        if (preset.empty()) {
            return false;
        }
        if (on) {
            capabilities.sessionPresets.insert(preset);
        } else {
            capabilities.sessionPresets.erase(preset);
        }
        return true;
    }
    if (name == "focus-continuous") {
        setMode(capabilities.focusModes, 2, on);
    } else if (name == "exposure-continuous") {
        setMode(capabilities.exposureModes, 2, on);
    } else if (name == "wb-continuous") {
        setMode(capabilities.whiteBalanceModes, 2, on);
    } else if (name == "wb-locked") {
        setMode(capabilities.whiteBalanceModes, 0, on);
    } else if (name == "focus-poi") {
        capabilities.focusPointOfInterest = on;
    } else if (name == "exposure-poi") {
        capabilities.exposurePointOfInterest = on;
    } else if (name == "lock-config") {
        capabilities.lockForConfiguration = on;
    } else if (name == "video-connection") {
        capabilities.videoConnection = on;
    } else if (name == "min-frame-duration") {
        capabilities.minFrameDuration = on;
    } else if (name == "max-frame-duration") {
        capabilities.maxFrameDuration = on;
    } else {
        return false;
    }
    return true;
}

const std::vector<std::string>& capabilityNames() {
    static const std::vector<std::string> names{
        "focus-continuous",   "exposure-continuous", "wb-continuous", "wb-locked",
        "focus-poi",          "exposure-poi",        "lock-config",   "video-connection",
        "min-frame-duration", "max-frame-duration"};
    return names;
}

int majorSystemVersion(std::string_view systemVersion) {
    int major = 0;
    for (char c : systemVersion) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            break;
        }
        major = major * 10 + (c - '0');
        if (major > 1000000) {
            break;
        }
    }
    return major;
}

}  // namespace host
