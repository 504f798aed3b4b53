#include "snapforge/focus/CaptureDevice.h"

#include "host/PLCameraController.h"
#include "snapforge/startup/State.h"

namespace snapforge {

int hostCameraMode() {
    auto controller = state().cameraController.lock();
    return controller ? controller->cameraMode() : kPhotoMode;
}

std::shared_ptr<platform::AVCaptureDevice> currentDevice() {
    auto controller = state().cameraController.lock();
    return controller ? controller->currentDevice() : nullptr;
}

namespace {

bool currentDeviceSupports(bool (platform::AVCaptureDevice::*supports)(int) const) {
    constexpr int kContinuousAutomatic = 2;
    auto device = currentDevice();
    return device && ((*device).*supports)(kContinuousAutomatic);
}

}  // namespace

bool supportsContinuousFocus() {
    return currentDeviceSupports(&platform::AVCaptureDevice::isFocusModeSupported);
}

bool supportsContinuousExposure() {
    return currentDeviceSupports(&platform::AVCaptureDevice::isExposureModeSupported);
}

bool supportsContinuousWhiteBalance() {
    return currentDeviceSupports(&platform::AVCaptureDevice::isWhiteBalanceModeSupported);
}

void configureCurrentDevice(const std::function<void(platform::AVCaptureDevice&)>& change) {
    auto device = currentDevice();
    if (!device || !device->lockForConfiguration()) {
        return;
    }
    change(*device);
    device->unlockForConfiguration();
}

}  // namespace snapforge
