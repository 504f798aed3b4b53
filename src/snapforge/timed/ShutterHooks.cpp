// The host's shutter and its reports of photos taken.
#include <string>

#include "platform/foundation/CFNotificationCenter.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/TimedCapture.h"

namespace snapforge {
namespace {

bool isTimedMode(int mode) {
    return mode == kTimerMode || mode == kTimeLapseMode;
}

}  // namespace

// In photo mode the bar goes; in a timed mode the press starts a countdown instead of reaching
// the host.
bool _method$PLCameraView$cameraShutterClicked$(id self, SEL cmd, id sender) {
    log("** Snapforge ** PLCameraView - cameraShutterClicked$");
    State& s = state();
    bool pass = true;
    if (hostCameraMode() == kPhotoMode && s.cameraBar) {
        const auto bar = s.cameraBar;
        hideCameraBar(nullptr, 0.3);
        if (isTimedMode(bar->cameraMode())) {
            platform::CFNotificationCenterPostNotification(
                platform::CFNotificationCenterGetDarwinNotifyCenter(),
                std::string(kStartTimedPhotoNotification), nullptr, nullptr, true);
            pass = false;
            bar->startTimerMode();
        }
    }
    // The host's answer tells whether it is taking a photo; its iris close then belongs to it.
    const bool capturing = pass && _orig$PLCameraView$cameraShutterClicked$(self, cmd, sender);
    s.capturingPhoto = capturing;
    return capturing;
}

// A time lapse counts down to its next photo each time the host reports one.
void _method$PLCameraView$cameraControllerDidTakePhoto$(id self, SEL cmd, id controller) {
    log("** Snapforge ** PLCameraView - cameraControllerDidTakePhoto$");
    _orig$PLCameraView$cameraControllerDidTakePhoto$(self, cmd, controller);
    const auto bar = state().cameraBar;
    if (hostCameraMode() == kPhotoMode && bar && bar->cameraMode() == kTimeLapseMode) {
        bar->startTimerMode();
    }
}

}  // namespace snapforge
