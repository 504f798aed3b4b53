#pragma once

#include <functional>
#include <memory>

#include "platform/capture/AVCaptureDevice.h"

namespace snapforge {

// The host controller's camera modes.
inline constexpr int kPhotoMode = 0;
inline constexpr int kVideoMode = 1;

// The host controller's camera mode; photo without a controller.
int hostCameraMode();

// The capture device of the host's controller, or empty without a controller.
std::shared_ptr<platform::AVCaptureDevice> currentDevice();

// Whether the current device offers continuous automatic focus, exposure or white balance
// (mode 2); without a device it offers nothing.
bool supportsContinuousFocus();
bool supportsContinuousExposure();
bool supportsContinuousWhiteBalance();

// Runs change between lockForConfiguration and unlockForConfiguration of the current device.
// A device that refuses the lock (or no device) is left as it was, silently.
void configureCurrentDevice(const std::function<void(platform::AVCaptureDevice&)>& change);

}  // namespace snapforge
