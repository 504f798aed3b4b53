#include "snapforge/focus/AdvancedFocus.h"

#include "host/PLCameraController.h"
#include "host/PLCameraView.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/PointOfInterest.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

void resetReticles(State& s) {
    const auto home =
        platform::CGRectMake(kReticleStartX, kReticleStartY, kReticleSize, kReticleSize);
    const std::shared_ptr<ReticleView> reticles[] = {s.focusView, s.exposureView};
    for (const auto& reticle : reticles) {
        if (reticle) {
            reticle->setFrame(home);
        }
    }
    for (const auto& reticle : reticles) {
        if (reticle) {
            reticle->setLockedState(false);
        }
    }
}

void setHidden(const std::shared_ptr<ReticleView>& reticle, bool hidden) {
    if (reticle) {
        reticle->setHidden(hidden);
    }
}

bool isLocked(const std::shared_ptr<ReticleView>& reticle) {
    return reticle && reticle->isLocked();
}

bool isShown(const std::shared_ptr<ReticleView>& reticle) {
    return reticle && !reticle->isHidden();
}

platform::CGPoint centreOf(const ReticleView& reticle) {
    const auto frame = reticle.frame();
    return {frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2};
}

// After a reset the camera does what the screen shows: nothing held, and focus and exposure
// at the points the reticles now mark.
void cameraFollowsReticles(State& s, bool somethingWasLocked, platform::id cameraView) {
    auto controller = s.cameraController.lock();
    if (somethingWasLocked && controller) {
        controller->_lockFocus(false, false, false);
    }
    if (isShown(s.exposureView)) {
        aimExposure(cameraView, centreOf(*s.exposureView));
    }
    if (isShown(s.focusView)) {
        aimFocus(cameraView, centreOf(*s.focusView));
    }
}

void switchOn(State& s, bool reset, platform::id cameraView) {
    const bool somethingWasLocked = isLocked(s.focusView) || isLocked(s.exposureView);
    if (reset) {
        resetReticles(s);
    }
    s.UseAdvancedCamera = true;
    const bool noFocus = !supportsContinuousFocus();
    const bool noExposure = !supportsContinuousExposure();
    setHidden(s.focusView, noFocus);
    setHidden(s.exposureView, noExposure);
    s.canExpose = noExposure;
    s.canFocus = noFocus;
    if (reset) {
        cameraFollowsReticles(s, somethingWasLocked, cameraView);
    }
}

void switchOff(State& s) {
    s.UseAdvancedCamera = false;
    setHidden(s.focusView, true);
    setHidden(s.exposureView, true);
    s.canExpose = true;
    s.canFocus = true;
    s.canWhiteBalance = true;
    configureCurrentDevice([](platform::AVCaptureDevice& device) {
        if (device.isFocusModeSupported(1)) {
            device.setFocusMode(1);
        }
        if (device.isExposureModeSupported(1)) {
            device.setExposureMode(1);
        }
        if (device.isWhiteBalanceModeSupported(1)) {
            device.setWhiteBalanceMode(1);
        }
    });
}

// While advanced mode serves a value, the reticle's animation stands in for the host's own
// handling of the started event.
void startedEvent(bool hostMayAdjust, const std::shared_ptr<ReticleView>& reticle,
                  void (*original)(platform::id, platform::SEL), platform::id self,
                  platform::SEL cmd) {
    if (hostMayAdjust) {
        original(self, cmd);
    } else if (state().UseAdvancedCamera && reticle) {
        reticle->startAnimating();
    }
}

void completedEvent(bool hostMayAdjust, const std::shared_ptr<ReticleView>& reticle,
                    void (*original)(platform::id, platform::SEL), platform::id self,
                    platform::SEL cmd) {
    if (!hostMayAdjust && state().UseAdvancedCamera && reticle) {
        reticle->stopAnimating();
    }
    original(self, cmd);
}

}  // namespace

void toggleAdvancedFocus(bool active, const std::shared_ptr<host::PLCameraView>& cameraView,
                         bool reset) {
    State& s = state();
    log("toggleAdvancedFocus: active: %@", active);
    auto view = cameraView ? cameraView : s.cameraView.lock();
    if (active) {
        switchOn(s, reset, view.get());
    } else {
        switchOff(s);
    }
    if (view) {
        view->_setShouldShowFocus(s.canFocus);
    }
    if (auto controller = s.cameraController.lock()) {
        controller->_autofocus(s.canFocus, s.canExpose);
    }
}

bool _method$PLCameraController$isFocusAllowed(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - isFocusAllowed");
    const bool allowed = _orig$PLCameraController$isFocusAllowed(self, cmd);
    return allowed && state().canFocus;
}

void _method$PLCameraController$autofocus(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - autofocus");
    if (state().canFocus) {
        _orig$PLCameraController$autofocus(self, cmd);
    }
}

void _method$PLCameraController$_autofocus$autoExpose$(id self, SEL cmd, bool, bool) {
    log("** Snapforge ** PLCameraController - _autofocus$autoExpose$");
    _orig$PLCameraController$_autofocus$autoExpose$(self, cmd, state().canFocus, state().canExpose);
}

void _method$PLCameraController$_focusStarted(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - _focusStarted");
    startedEvent(state().canFocus, state().focusView, _orig$PLCameraController$_focusStarted, self,
                 cmd);
}

void _method$PLCameraController$_focusCompleted(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - _focusCompleted");
    completedEvent(state().canFocus, state().focusView, _orig$PLCameraController$_focusCompleted,
                   self, cmd);
}

void _method$PLCameraController$_exposureStarted(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - _exposureStarted");
    startedEvent(state().canExpose, state().exposureView, _orig$PLCameraController$_exposureStarted,
                 self, cmd);
}

void _method$PLCameraController$_exposureCompleted(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - _exposureCompleted");
    completedEvent(state().canExpose, state().exposureView,
                   _orig$PLCameraController$_exposureCompleted, self, cmd);
}

void _method$PLCameraController$_whiteBalanceStarted(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - _whiteBalanceStarted");
    if (state().canWhiteBalance) {
        _orig$PLCameraController$_whiteBalanceStarted(self, cmd);
    }
}

}  // namespace snapforge
