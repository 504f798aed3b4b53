#pragma once

#include <memory>

#include "host/Selectors.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureOutput.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/runtime/Object.h"

namespace host {

// The host camera's controller as the library sees it: camera mode (0 photo, 1 video) and the
// capture objects in use. Messages with a selector in host::sel go through the runtime and so
// through any hook. The simulated camera derives from this interface.
class PLCameraController : public platform::Object {
public:
    virtual int cameraMode() const = 0;
    virtual std::shared_ptr<platform::AVCaptureDevice> currentDevice() const = 0;
    virtual std::shared_ptr<platform::AVCaptureSession> currentSession() const = 0;
    virtual std::shared_ptr<platform::AVCaptureOutput> currentOutput() const = 0;

    void _lockFocus(bool focus, bool exposure, bool whiteBalance) {
        platform::send(this, sel::_lockFocus, focus, exposure, whiteBalance);
    }
    void _autofocus(bool focus, bool expose) {
        platform::send(this, sel::_autofocus, focus, expose);
    }
    bool isFocusAllowed() { return platform::send(this, sel::isFocusAllowed); }
    void autofocus() { platform::send(this, sel::autofocus); }
    void _focusStarted() { platform::send(this, sel::_focusStarted); }
    void _focusCompleted() { platform::send(this, sel::_focusCompleted); }
    void _exposureStarted() { platform::send(this, sel::_exposureStarted); }
    void _exposureCompleted() { platform::send(this, sel::_exposureCompleted); }
    void _whiteBalanceStarted() { platform::send(this, sel::_whiteBalanceStarted); }
    void _setCameraMode(int mode, int device) {
        platform::send(this, sel::_setCameraMode, mode, device);
    }
    void stopPreview() { platform::send(this, sel::stopPreview); }
    void startPreview() { platform::send(this, sel::startPreview); }
};

}  // namespace host
