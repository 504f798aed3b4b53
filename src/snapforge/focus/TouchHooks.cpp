// The camera view's touches move, lock and unlock the reticles and set the capture device's
// points of interest; a touch on a reticle keeps the host's swipe from starting.
#include "host/PLCameraController.h"
#include "host/PLCameraView.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UITouch.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/focus/AdvancedFocus.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/PointOfInterest.h"
#include "snapforge/geometry/Helper.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

// Whether the advanced choice in force for the host's mode lets this touch work the reticles:
// with a camera bar its mode button decides (or advanced mode being on), without one the choice
// in force.
bool advancedChoiceInForce(const State& s, int mode) {
    if (const auto& bar = s.cameraBar) {
        if (mode == kVideoMode) {
            return s.UseAdvancedCamera || isSelected(bar->exposureFocusBtn);
        }
        if (mode == kPhotoMode) {
            return s.UseAdvancedCamera || isSelected(bar->normalModeBtn);
        }
        return true;
    }
    if (mode == kVideoMode) {
        return s._tmpAdvVideoSelected;
    }
    if (mode == kPhotoMode) {
        return s._tmpAdvPhotoSelected;
    }
    return true;
}

CGPoint touchLocation(Touches touches, const platform::UIView* view) {
    auto touch = touches ? touches->anyObject() : nullptr;
    return touch ? touch->locationInView(view) : CGPoint{};
}

bool contains(const std::shared_ptr<ReticleView>& reticle, CGPoint point) {
    return reticle && platform::CGRectContainsPoint(reticle->frame(), point);
}

platform::CGRect frameOf(const std::shared_ptr<ReticleView>& reticle) {
    return reticle ? reticle->frame() : platform::CGRectZero;
}

void moveOrigin(const std::shared_ptr<ReticleView>& reticle, CGPoint origin) {
    if (reticle) {
        auto frame = reticle->frame();
        frame.origin = origin;
        reticle->setFrame(frame);
    }
}

bool isLocked(const std::shared_ptr<ReticleView>& reticle) {
    return reticle && reticle->isLocked();
}

bool isUnlocked(const std::shared_ptr<ReticleView>& reticle) {
    return reticle && !reticle->isLocked();
}

// The host holds what the reticles have locked.
void tellHostLocks(const State& s) {
    if (auto controller = s.cameraController.lock()) {
        controller->_lockFocus(isLocked(s.focusView), isLocked(s.exposureView), false);
    }
}

void pulse(const std::shared_ptr<ReticleView>& reticle, float scale) {
    std::weak_ptr<ReticleView> weak = reticle;
    platform::UIView::animate(
        0.5, 0, platform::UIViewAnimationOptionBeginFromCurrentState,
        [reticle, scale] {
            reticle->setTransform(platform::CGAffineTransformMakeScale(scale, scale));
        },
        [weak](bool) {
            if (auto view = weak.lock()) {
                view->setTransform(platform::CGAffineTransformIdentity);
            }
        });
}

}  // namespace

void _method$PLCameraView$touchesBegan$withEvent$(id self, SEL cmd, Touches touches, Event event) {
    _orig$PLCameraView$touchesBegan$withEvent$(self, cmd, touches, event);
    State& s = state();
    auto cameraView = platform::retain<host::PLCameraView>(self);
    s.cameraView = cameraView;
    const int mode = hostCameraMode();
    log("canFocus: %@, canExpose: %@, UseAdvancedCamera: %@, cameraMode = %d", s.canFocus,
        s.canExpose, s.UseAdvancedCamera, mode);
    s.touchBeganOnButtonBar = false;
    if (!advancedChoiceInForce(s, mode)) {
        return;
    }
    const CGPoint tapLocation = touchLocation(touches, cameraView.get());
    s.touchInsideExposure = contains(s.exposureView, tapLocation);
    s.touchInsideFocus = contains(s.focusView, tapLocation);
    log("** Snapforge ** PLCameraView - touchesBegan$withEvent$:tapLocation: %@", tapLocation);
    s.orientationOffsetPt = Helper::getOrientationOffsetPoint(frameOf(s.exposureView), tapLocation);
    const float screenHeight = platform::UIScreen::mainScreen().bounds().size.height;
    if (tapLocation.y > screenHeight - static_cast<float>(s.kCameraButtonBarHeight)) {
        s.touchBeganOnButtonBar = true;
        return;
    }
    if (mode == kPhotoMode) {
        auto touch = touches ? touches->anyObject() : nullptr;
        const bool singleTap =
            event && event->allTouches().count() == 1 && touch && touch->tapCount() == 1;
        if (singleTap) {
            s.UseAdvancedCamera = true;
        }
        toggleAdvancedFocus(s.UseAdvancedCamera, cameraView, false);
    }
    if (s.touchInsideExposure) {
        s.touchDirectObject = true;
        s.startLocation = touchLocation(touches, s.exposureView.get());
    } else if (s.touchInsideFocus) {
        s.touchDirectObject = true;
        s.startLocation = touchLocation(touches, s.focusView.get());
    } else {
        s.touchDirectObject = false;
        s.startLocation = {0, 0};
        if (s.UseAdvancedCamera) {
            moveOrigin(s.exposureView, s.orientationOffsetPt);
            moveOrigin(s.focusView, s.orientationOffsetPt);
            s.touchInsideExposure = contains(s.exposureView, tapLocation);
            s.touchInsideFocus = contains(s.focusView, tapLocation);
        }
    }
}

void _method$PLCameraView$touchesMoved$withEvent$(id self, SEL cmd, Touches touches, Event event) {
    _orig$PLCameraView$touchesMoved$withEvent$(self, cmd, touches, event);
    State& s = state();
    if (hostCameraMode() == kVideoMode && !s.UseAdvancedCamera) {
        return;
    }
    std::shared_ptr<ReticleView> target;
    if (s.touchInsideExposure) {
        target = s.exposureView;
    } else if (s.touchInsideFocus) {
        target = s.focusView;
    }
    if (!target) {
        return;
    }
    s.movedObject = true;
    const CGPoint location = touchLocation(touches, target.get());
    CGPoint delta{location.x - s.startLocation.x, location.y - s.startLocation.y};
    if (!s.touchDirectObject) {
        delta = Helper::getOrientationOffsetPoint(target->frame(), delta);
    }
    const auto frame = target->frame();
    moveOrigin(target, {frame.origin.x + delta.x, frame.origin.y + delta.y});
    if (target->isLocked()) {
        target->setLockedState(false);
        if (auto controller = s.cameraController.lock()) {
            controller->_lockFocus(s.UseAdvancedCamera, s.UseAdvancedCamera, false);
        }
    }
}

void _method$PLCameraView$touchesEnded$withEvent$(id self, SEL cmd, Touches touches, Event event) {
    log("** Snapforge ** PLCameraView - touchesEnded$withEvent$");
    _orig$PLCameraView$touchesEnded$withEvent$(self, cmd, touches, event);
    State& s = state();
    if (!s.UseAdvancedCamera) {
        return;
    }
    if (!s.movedObject && !s.longPressHandled) {
        for (const auto& reticle : {std::shared_ptr<ReticleView>(s.exposureView),
                                    std::shared_ptr<ReticleView>(s.focusView)}) {
            if (isLocked(reticle)) {
                reticle->setLockedState(false);
                tellHostLocks(s);
            }
        }
    }
    if (!s.longPressHandled && (s.touchInsideExposure || s.touchInsideFocus) && !s.movedObject &&
        s.touchDirectObject) {
        if (isUnlocked(s.exposureView)) {
            moveOrigin(s.exposureView, s.orientationOffsetPt);
        }
        if (isUnlocked(s.focusView)) {
            moveOrigin(s.focusView, s.orientationOffsetPt);
        }
    }
    auto* view = dynamic_cast<platform::UIView*>(self);
    const CGPoint pointTouched = touchLocation(touches, view);
    log("** Snapforge ** PLCameraView - touchesEnded$withEvent$ - pointTouched %@", pointTouched);
    log("pointInPreviewLayer (x2) %@", CGPoint{pointTouched.x * 2, pointTouched.y * 2});

    // A touch on the host's bar is not aimed at the preview: the device keeps its points and
    // the focus reticle, which did not come to the finger, does not pulse.
    const bool aimed = !s.touchBeganOnButtonBar;
    if (aimed && isUnlocked(s.exposureView) && (s.touchInsideExposure || !s.touchInsideFocus)) {
        aimExposure(self, pointTouched);
    }
    const bool focusConcerned =
        (s.touchInsideFocus && (!s.touchInsideExposure || !s.movedObject)) ||
        (!s.touchInsideFocus && !s.touchInsideExposure);
    if (aimed && isUnlocked(s.focusView) && focusConcerned && aimFocus(self, pointTouched) &&
        s.touchDirectObject) {
        pulse(s.focusView, 1.2f);
    }
    s.movedObject = false;
    s.longPressHandled = false;
}

void _method$PLCameraView$_handleOverlayViewLongPress$(id self, SEL cmd, id recognizer) {
    log("** Snapforge ** PLCameraView - _handleOverlayViewLongPress");
    _orig$PLCameraView$_handleOverlayViewLongPress$(self, cmd, recognizer);
    State& s = state();
    auto* gesture = dynamic_cast<platform::UIGestureRecognizer*>(recognizer);
    if (!s.UseAdvancedCamera || gesture == nullptr ||
        gesture->state() != platform::UIGestureRecognizerStateBegan) {
        return;
    }
    std::vector<std::shared_ptr<ReticleView>> locked;
    if (isUnlocked(s.exposureView) && s.touchInsideExposure && s.touchDirectObject) {
        s.exposureView->setLockedState(true);
        s.longPressHandled = true;
        locked.push_back(s.exposureView);
    }
    if (isUnlocked(s.focusView) && s.touchInsideFocus && s.touchDirectObject) {
        s.focusView->setLockedState(true);
        s.longPressHandled = true;
        locked.push_back(s.focusView);
    }
    if (locked.empty()) {
        return;
    }
    tellHostLocks(s);
    for (const auto& reticle : locked) {
        pulse(reticle, 1.5f);
    }
}

CGPoint _method$PLCameraView$convertToPointOfInterestFromViewCoordinates$pointIsInsideContent$(
    id self, SEL cmd, CGPoint point, bool* pointIsInsideContent) {
    const CGPoint poi =
        _orig$PLCameraView$convertToPointOfInterestFromViewCoordinates$pointIsInsideContent$(
            self, cmd, point, pointIsInsideContent);
    log("** Snapforge ** PLCameraView - convertToPointOfInterestFromViewCoordinates: %@", poi);
    return poi;
}

bool _method$PLSwipeBlockingScrollView$gestureRecognizerShouldBegin$(id self, SEL cmd,
                                                                     id recognizer) {
    State& s = state();
    log("** Snapforge ** PLSwipeBlockingScrollView - gestureRecognizerShouldBegin "
        "touchDirectObject: %@",
        s.touchDirectObject);
    if (s.touchDirectObject) {
        return false;
    }
    hideCameraBar(nullptr, 0.3);
    return _orig$PLSwipeBlockingScrollView$gestureRecognizerShouldBegin$(self, cmd, recognizer);
}

}  // namespace snapforge
