#include "platform/runtime/Runtime.h"
#include "snapforge/startup/Hooks.h"

namespace snapforge {

#define SF_SLOT(ret, name, ...) ret (*_orig$##name)(id, SEL, ##__VA_ARGS__) = nullptr

SF_SLOT(void, PLCameraView$exitPanoramaModeAndShowIris$, bool);
SF_SLOT(void, PLCameraView$enterPanoramaMode);
SF_SLOT(void, PLCameraView$openIrisWithDidFinishSelector$withDuration$, SEL, float);
SF_SLOT(void, PLCameraView$closeIrisWithDidFinishSelector$withDuration$, SEL, float);
SF_SLOT(void, PLCameraView$touchesBegan$withEvent$, Touches, Event);
SF_SLOT(void, PLCameraView$touchesMoved$withEvent$, Touches, Event);
SF_SLOT(void, PLCameraView$touchesEnded$withEvent$, Touches, Event);
SF_SLOT(void, PLCameraView$viewDidAppear);
SF_SLOT(void, PLCameraView$_windowWillAnimateRotationToOrientation$, int);
SF_SLOT(void, PLCameraView$_handleOverlayViewLongPress$, id);
SF_SLOT(void, PLCameraView$dealloc);
SF_SLOT(CGPoint, PLCameraView$convertToPointOfInterestFromViewCoordinates$pointIsInsideContent$,
        CGPoint, bool*);
SF_SLOT(void, PLCameraView$cameraControllerDidTakePhoto$, id);
SF_SLOT(bool, PLCameraView$cameraShutterClicked$, id);
SF_SLOT(id, PLPreviewOverlayView$initWithFrame$, CGRect);
SF_SLOT(bool, PLSwipeBlockingScrollView$gestureRecognizerShouldBegin$, id);
SF_SLOT(void, PLCameraButtonBar$layoutSubviews);
SF_SLOT(void, PLCameraButtonBar$dealloc);
SF_SLOT(id, PLCameraController$init);
SF_SLOT(void, PLCameraController$_focusCompleted);
SF_SLOT(void, PLCameraController$_focusStarted);
SF_SLOT(bool, PLCameraController$isFocusAllowed);
SF_SLOT(void, PLCameraController$_autofocus$autoExpose$, bool, bool);
SF_SLOT(void, PLCameraController$autofocus);
SF_SLOT(void, PLCameraController$_exposureStarted);
SF_SLOT(void, PLCameraController$_exposureCompleted);
SF_SLOT(void, PLCameraController$_whiteBalanceStarted);
SF_SLOT(void, PLCameraController$_setCameraMode$cameraDevice$, int, int);
SF_SLOT(void, PLCameraController$stopPreview);
SF_SLOT(void, PLCameraController$startPreview);

#undef SF_SLOT

int installHooks() {
    using namespace host;
    int installed = 0;
    // Each group looks its class up once, before its first hook.
    platform::Class* cls = nullptr;
#define SF_INSTALL(className, selector, name)                                   \
    platform::MSHookMessageEx(cls, sel::selector, _method$##className##$##name, \
                              &_orig$##className##$##name);                     \
    installed += cls != nullptr

    cls = platform::objc_getClass("PLCameraView");
    SF_INSTALL(PLCameraView, exitPanoramaModeAndShowIris, exitPanoramaModeAndShowIris$);
    SF_INSTALL(PLCameraView, enterPanoramaMode, enterPanoramaMode);
    SF_INSTALL(PLCameraView, openIrisWithDidFinishSelector,
               openIrisWithDidFinishSelector$withDuration$);
    SF_INSTALL(PLCameraView, closeIrisWithDidFinishSelector,
               closeIrisWithDidFinishSelector$withDuration$);
    SF_INSTALL(PLCameraView, touchesBegan, touchesBegan$withEvent$);
    SF_INSTALL(PLCameraView, touchesMoved, touchesMoved$withEvent$);
    SF_INSTALL(PLCameraView, touchesEnded, touchesEnded$withEvent$);
    SF_INSTALL(PLCameraView, viewDidAppear, viewDidAppear);
    SF_INSTALL(PLCameraView, _windowWillAnimateRotationToOrientation,
               _windowWillAnimateRotationToOrientation$);
    SF_INSTALL(PLCameraView, _handleOverlayViewLongPress, _handleOverlayViewLongPress$);
    SF_INSTALL(PLCameraView, dealloc, dealloc);
    SF_INSTALL(PLCameraView, convertToPointOfInterestFromViewCoordinates,
               convertToPointOfInterestFromViewCoordinates$pointIsInsideContent$);
    SF_INSTALL(PLCameraView, cameraControllerDidTakePhoto, cameraControllerDidTakePhoto$);
    SF_INSTALL(PLCameraView, cameraShutterClicked, cameraShutterClicked$);

    cls = platform::objc_getClass("PLPreviewOverlayView");
    SF_INSTALL(PLPreviewOverlayView, initWithFrame, initWithFrame$);

    cls = platform::objc_getClass("PLSwipeBlockingScrollView");
    SF_INSTALL(PLSwipeBlockingScrollView, gestureRecognizerShouldBegin,
               gestureRecognizerShouldBegin$);

    cls = platform::objc_getClass("PLCameraButtonBar");
    SF_INSTALL(PLCameraButtonBar, layoutSubviews, layoutSubviews);
    SF_INSTALL(PLCameraButtonBar, dealloc, dealloc);

    cls = platform::objc_getClass("PLCameraController");
    SF_INSTALL(PLCameraController, init, init);
    SF_INSTALL(PLCameraController, _focusCompleted, _focusCompleted);
    SF_INSTALL(PLCameraController, _focusStarted, _focusStarted);
    SF_INSTALL(PLCameraController, isFocusAllowed, isFocusAllowed);
    SF_INSTALL(PLCameraController, _autofocus, _autofocus$autoExpose$);
    SF_INSTALL(PLCameraController, autofocus, autofocus);
    SF_INSTALL(PLCameraController, _exposureStarted, _exposureStarted);
    SF_INSTALL(PLCameraController, _exposureCompleted, _exposureCompleted);
    SF_INSTALL(PLCameraController, _whiteBalanceStarted, _whiteBalanceStarted);
    SF_INSTALL(PLCameraController, _setCameraMode, _setCameraMode$cameraDevice$);
    SF_INSTALL(PLCameraController, stopPreview, stopPreview);
    SF_INSTALL(PLCameraController, startPreview, startPreview);
#undef SF_INSTALL
    return installed;
}

}  // namespace snapforge
