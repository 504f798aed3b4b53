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

}  // namespace

bool aimExposure(platform::id cameraView, platform::CGPoint viewPoint) {
    const auto device = currentDevice();
    if (!device || !device->isExposurePointOfInterestSupported() ||
        !device->isExposureModeSupported(kContinuousAutomatic)) {
        return false;
    }
    const platform::CGPoint poi = pointOfInterest(cameraView, viewPoint, "exposure");
    configureCurrentDevice([poi](platform::AVCaptureDevice& d) {
        d.setExposurePointOfInterest(poi);
        d.setExposureMode(kContinuousAutomatic);
    });
    return true;
}

bool aimFocus(platform::id cameraView, platform::CGPoint viewPoint) {
    const auto device = currentDevice();
    if (!device || !device->isFocusPointOfInterestSupported() ||
        !device->isFocusModeSupported(kContinuousAutomatic)) {
        return false;
    }
    const platform::CGPoint poi = pointOfInterest(cameraView, viewPoint, "focus");
    configureCurrentDevice([poi](platform::AVCaptureDevice& d) {
        d.setFocusPointOfInterest(poi);
        d.setFocusMode(kContinuousAutomatic);
    });
    return true;
}

}  // namespace snapforge
