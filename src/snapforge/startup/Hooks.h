#pragma once

#include "host/Selectors.h"

// The hook table: for each hooked host method, the replacement and the slot holding the host's
// own implementation, saved when the hook was installed.
namespace snapforge {

using host::sel::Event;
using host::sel::Touches;
using platform::CGPoint;
using platform::CGRect;
using platform::id;
using platform::SEL;

#define SF_HOOK(ret, name, ...)                         \
    extern ret (*_orig$##name)(id, SEL, ##__VA_ARGS__); \
    ret _method$##name(id self, SEL cmd, ##__VA_ARGS__)

SF_HOOK(void, PLCameraView$exitPanoramaModeAndShowIris$, bool show);
SF_HOOK(void, PLCameraView$enterPanoramaMode);
SF_HOOK(void, PLCameraView$openIrisWithDidFinishSelector$withDuration$, SEL didFinish,
        float duration);
SF_HOOK(void, PLCameraView$closeIrisWithDidFinishSelector$withDuration$, SEL didFinish,
        float duration);
SF_HOOK(void, PLCameraView$touchesBegan$withEvent$, Touches touches, Event event);
SF_HOOK(void, PLCameraView$touchesMoved$withEvent$, Touches touches, Event event);
SF_HOOK(void, PLCameraView$touchesEnded$withEvent$, Touches touches, Event event);
SF_HOOK(void, PLCameraView$viewDidAppear);
SF_HOOK(void, PLCameraView$_windowWillAnimateRotationToOrientation$, int orientation);
SF_HOOK(void, PLCameraView$_handleOverlayViewLongPress$, id recognizer);
SF_HOOK(void, PLCameraView$dealloc);
SF_HOOK(CGPoint, PLCameraView$convertToPointOfInterestFromViewCoordinates$pointIsInsideContent$,
        CGPoint point, bool* pointIsInsideContent);
SF_HOOK(void, PLCameraView$cameraControllerDidTakePhoto$, id controller);
SF_HOOK(bool, PLCameraView$cameraShutterClicked$, id sender);
SF_HOOK(id, PLPreviewOverlayView$initWithFrame$, CGRect frame);
SF_HOOK(bool, PLSwipeBlockingScrollView$gestureRecognizerShouldBegin$, id recognizer);
SF_HOOK(void, PLCameraButtonBar$layoutSubviews);
SF_HOOK(void, PLCameraButtonBar$dealloc);
SF_HOOK(id, PLCameraController$init);
SF_HOOK(void, PLCameraController$_focusCompleted);
SF_HOOK(void, PLCameraController$_focusStarted);
SF_HOOK(bool, PLCameraController$isFocusAllowed);
SF_HOOK(void, PLCameraController$_autofocus$autoExpose$, bool focus, bool expose);
SF_HOOK(void, PLCameraController$autofocus);
SF_HOOK(void, PLCameraController$_exposureStarted);
SF_HOOK(void, PLCameraController$_exposureCompleted);
SF_HOOK(void, PLCameraController$_whiteBalanceStarted);
SF_HOOK(void, PLCameraController$_setCameraMode$cameraDevice$, int mode, int device);
SF_HOOK(void, PLCameraController$stopPreview);
SF_HOOK(void, PLCameraController$startPreview);

#undef SF_HOOK

// Installs the 30 hooks in table order; returns how many were installed.
int installHooks();

}  // namespace snapforge
