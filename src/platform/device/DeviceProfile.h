#pragma once

#include <optional>
#include <set>
#include <string>

#include "platform/Geometry.h"

namespace platform {

// What the capture hardware of a device can do. Mode numbers are the capture framework's:
// 0 locked, 1 single automatic adjustment, 2 continuous automatic adjustment.
struct CaptureCapabilities {
    std::set<int> focusModes{0, 1, 2};
    std::set<int> exposureModes{0, 1, 2};
    std::set<int> whiteBalanceModes{0, 1, 2};
    bool focusPointOfInterest = true;
    bool exposurePointOfInterest = true;
    bool lockForConfiguration = true;  // false: every lockForConfiguration fails
    bool videoConnection = true;       // the output has a connection with a video input port
    bool minFrameDuration = true;      // the video connection supports setting it
    bool maxFrameDuration = true;
    std::set<std::string> sessionPresets{
        "AVCaptureSessionPresetPhoto",         "AVCaptureSessionPresetHigh",
        "AVCaptureSessionPresetMedium",        "AVCaptureSessionPresetLow",
        "AVCaptureSessionPreset352x288",       "AVCaptureSessionPreset640x480",
        "AVCaptureSessionPreset1280x720",      "AVCaptureSessionPreset1920x1080",
        "AVCaptureSessionPresetiFrame960x540", "AVCaptureSessionPresetiFrame1280x720"};
};

// Everything the platform reports about the device it runs on.
struct DeviceProfile {
    std::string machine = "iPhone4,1";  // sysctl "hw.machine"
    std::string systemVersion = "6.1.3";
    std::optional<std::string> uniqueIdentifier = "5f2c3b6e0d9a47c18e4b2a7d9c0e1f3a5b6c7d8e";
    std::string bundleIdentifier = "com.apple.camera";
    CGSize screenSize{320, 480};
    CaptureCapabilities capture;
};

}  // namespace platform
