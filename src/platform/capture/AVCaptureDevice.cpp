#include "platform/capture/AVCaptureDevice.h"

namespace platform {
namespace {

int mostAutomaticMode(const std::set<int>& modes) {
    return modes.empty() ? AVCaptureModeLocked : *modes.rbegin();
}

bool isUnitPoint(CGPoint point) {
    // Written so that NaN coordinates fail too.
    return point.x >= 0 && point.x <= 1 && point.y >= 0 && point.y <= 1;
}

}  // namespace

std::shared_ptr<AVCaptureDevice> AVCaptureDevice::create(const CaptureCapabilities& capabilities) {
    return std::make_shared<AVCaptureDevice>(capabilities);
}

AVCaptureDevice::AVCaptureDevice(const CaptureCapabilities& capabilities)
    : capabilities_(capabilities),
      focusMode_(mostAutomaticMode(capabilities.focusModes)),
      exposureMode_(mostAutomaticMode(capabilities.exposureModes)),
      whiteBalanceMode_(mostAutomaticMode(capabilities.whiteBalanceModes)) {}

bool AVCaptureDevice::isFocusModeSupported(int mode) const {
    return capabilities_.focusModes.contains(mode);
}

bool AVCaptureDevice::isExposureModeSupported(int mode) const {
    return capabilities_.exposureModes.contains(mode);
}

bool AVCaptureDevice::isWhiteBalanceModeSupported(int mode) const {
    return capabilities_.whiteBalanceModes.contains(mode);
}

bool AVCaptureDevice::supportsAVCaptureSessionPreset(const std::string& preset) const {
    return capabilities_.sessionPresets.contains(preset);
}

bool AVCaptureDevice::lockForConfiguration() {
    if (capabilities_.lockForConfiguration) {
        locked_ = true;
    }
    changeLog_.record("lockForConfiguration", "", capabilities_.lockForConfiguration);
    return capabilities_.lockForConfiguration;
}

void AVCaptureDevice::unlockForConfiguration() {
    const bool wasLocked = locked_;
    locked_ = false;
    changeLog_.record("unlockForConfiguration", "", wasLocked);
}

void AVCaptureDevice::setFocusMode(int mode) {
    setMode("focusMode", focusMode_, isFocusModeSupported(mode), mode);
}

void AVCaptureDevice::setExposureMode(int mode) {
    setMode("exposureMode", exposureMode_, isExposureModeSupported(mode), mode);
}

void AVCaptureDevice::setWhiteBalanceMode(int mode) {
    setMode("whiteBalanceMode", whiteBalanceMode_, isWhiteBalanceModeSupported(mode), mode);
}

void AVCaptureDevice::setFocusPointOfInterest(CGPoint point) {
    setPoint("focusPointOfInterest", focusPoint_, isFocusPointOfInterestSupported(), point);
}

void AVCaptureDevice::setExposurePointOfInterest(CGPoint point) {
    setPoint("exposurePointOfInterest", exposurePoint_, isExposurePointOfInterestSupported(),
             point);
}

void AVCaptureDevice::setMode(const char* what, int& current, bool supported, int mode) {
    const bool accepted = locked_ && supported;
    if (accepted) {
        current = mode;
    }
    changeLog_.record(what, std::to_string(mode), accepted);
}

void AVCaptureDevice::setPoint(const char* what, CGPoint& current, bool supported, CGPoint point) {
    const bool accepted = locked_ && supported && isUnitPoint(point);
    if (accepted) {
        current = point;
    }
    changeLog_.record(what, describePoint(point), accepted);
}

}  // namespace platform
