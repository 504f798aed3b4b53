#include "snapforge/focus/CaptureDevice.h"

#include "host/PLCameraController.h"
#include "snapforge/startup/State.h"

namespace snapforge {

std::shared_ptr<platform::AVCaptureDevice> currentDevice() {
    auto controller = state().cameraController.lock();
    return controller ? controller->currentDevice() : nullptr;
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
