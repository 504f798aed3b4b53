#include "snapforge/focus/PointOfInterest.h"

#include "host/PLCameraView.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/geometry/Helper.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

constexpr int kContinuousAutomatic = 2;

// The device point of interest for a camera-view point, by the host's own conversion, which
// before version 6 works in the preview layer's doubled points.
platform::CGPoint pointOfInterest(platform::id self, platform::CGPoint viewPoint,
                                  const char* what) {
    auto* view = dynamic_cast<host::PLCameraView*>(self);
    const platform::CGPoint source =
        state().IS_IOS6 ? viewPoint : platform::CGPoint{viewPoint.x * 2, viewPoint.y * 2};
    const platform::CGPoint poi =
        view ? view->convertToPointOfInterestFromViewCoordinates(source, nullptr)
             : platform::CGPoint{};
    log("pointOfInterest (%@) = %@", what, poi);
    return Helper::boxPoint(poi);
}

// What aiming one value takes: the device's point of interest and continuous mode for it.
struct Aim {
    const char* what;
    bool (platform::AVCaptureDevice::*pointSupported)() const;
    bool (platform::AVCaptureDevice::*modeSupported)(int) const;
    void (platform::AVCaptureDevice::*setPoint)(platform::CGPoint);
    void (platform::AVCaptureDevice::*setMode)(int);
};

const Aim kExposure{"exposure", &platform::AVCaptureDevice::isExposurePointOfInterestSupported,
                    &platform::AVCaptureDevice::isExposureModeSupported,
                    &platform::AVCaptureDevice::setExposurePointOfInterest,
                    &platform::AVCaptureDevice::setExposureMode};
const Aim kFocus{"focus", &platform::AVCaptureDevice::isFocusPointOfInterestSupported,
                 &platform::AVCaptureDevice::isFocusModeSupported,
                 &platform::AVCaptureDevice::setFocusPointOfInterest,
                 &platform::AVCaptureDevice::setFocusMode};

bool aim(const Aim& value, platform::id cameraView, platform::CGPoint viewPoint) {
    const auto device = currentDevice();
    if (!device || !((*device).*value.pointSupported)() ||
        !((*device).*value.modeSupported)(kContinuousAutomatic)) {
        return false;
    }
    const platform::CGPoint poi = pointOfInterest(cameraView, viewPoint, value.what);
    configureCurrentDevice([&value, poi](platform::AVCaptureDevice& d) {
        (d.*value.setPoint)(poi);
        (d.*value.setMode)(kContinuousAutomatic);
    });
    return true;
}

}  // namespace

bool aimExposure(platform::id cameraView, platform::CGPoint viewPoint) {
    return aim(kExposure, cameraView, viewPoint);
}

bool aimFocus(platform::id cameraView, platform::CGPoint viewPoint) {
    return aim(kFocus, cameraView, viewPoint);
}

}  // namespace snapforge
