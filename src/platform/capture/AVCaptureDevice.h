#pragma once

#include <memory>
#include <string>

#include "platform/Geometry.h"
#include "platform/capture/CaptureChangeLog.h"
#include "platform/device/DeviceProfile.h"
#include "platform/runtime/Object.h"

namespace platform {

// The capture framework's mode values for focus, exposure and white balance.
inline constexpr int AVCaptureModeLocked = 0;
inline constexpr int AVCaptureModeAutomatic = 1;
inline constexpr int AVCaptureModeContinuousAutomatic = 2;

// A camera. Its settings change only between lockForConfiguration and unlockForConfiguration,
// and only to modes and points the hardware supports; any other call changes nothing and is
// logged as refused. Each mode starts at the most automatic one supported, points at the centre.
class AVCaptureDevice : public Object {
public:
    static std::shared_ptr<AVCaptureDevice> create(const CaptureCapabilities& capabilities);

    // The hardware can change under a running process (another camera, a simulated fault).
    // Settings already made are kept.
    void setCapabilities(const CaptureCapabilities& capabilities) { capabilities_ = capabilities; }
    const CaptureCapabilities& capabilities() const { return capabilities_; }

    bool isFocusModeSupported(int mode) const;
    bool isExposureModeSupported(int mode) const;
    bool isWhiteBalanceModeSupported(int mode) const;
    bool isFocusPointOfInterestSupported() const { return capabilities_.focusPointOfInterest; }
    bool isExposurePointOfInterestSupported() const {
        return capabilities_.exposurePointOfInterest;
    }
    bool supportsAVCaptureSessionPreset(const std::string& preset) const;

    // False when the device is not available for configuration.
    bool lockForConfiguration();
    void unlockForConfiguration();
    bool isLockedForConfiguration() const { return locked_; }

    void setFocusMode(int mode);
    void setExposureMode(int mode);
    void setWhiteBalanceMode(int mode);
    // Points of interest run from (0, 0) at the top left to (1, 1) at the bottom right.
    void setFocusPointOfInterest(CGPoint point);
    void setExposurePointOfInterest(CGPoint point);

    int focusMode() const { return focusMode_; }
    int exposureMode() const { return exposureMode_; }
    int whiteBalanceMode() const { return whiteBalanceMode_; }
    CGPoint focusPointOfInterest() const { return focusPoint_; }
    CGPoint exposurePointOfInterest() const { return exposurePoint_; }

    CaptureChangeLog& changeLog() { return changeLog_; }

    explicit AVCaptureDevice(const CaptureCapabilities& capabilities);

private:
    void setMode(const char* what, int& current, bool supported, int mode);
    void setPoint(const char* what, CGPoint& current, bool supported, CGPoint point);

    CaptureCapabilities capabilities_;
    bool locked_ = false;
    int focusMode_;
    int exposureMode_;
    int whiteBalanceMode_;
    CGPoint focusPoint_{0.5f, 0.5f};
    CGPoint exposurePoint_{0.5f, 0.5f};
    CaptureChangeLog changeLog_;
};

}  // namespace platform
