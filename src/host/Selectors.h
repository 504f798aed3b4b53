#pragma once

#include "platform/Geometry.h"
#include "platform/runtime/Runtime.h"

namespace platform {
class UITouchSet;
class UIEvent;
}  // namespace platform

// The host camera's messages, with their signatures. Hooked ones are dispatched through the
// runtime, so a replacement sees the host's own calls as well as the library's.
namespace host::sel {

using platform::CGPoint;
using platform::CGRect;
using platform::id;
using platform::SEL;
using platform::Selector;
using Touches = const platform::UITouchSet*;
using Event = platform::UIEvent*;

// PLCameraView
inline const Selector<void(bool)> exitPanoramaModeAndShowIris{"exitPanoramaModeAndShowIris:"};
inline const Selector<void()> enterPanoramaMode{"enterPanoramaMode"};
inline const Selector<void(SEL, float)> openIrisWithDidFinishSelector{
    "openIrisWithDidFinishSelector:withDuration:"};
inline const Selector<void(SEL, float)> closeIrisWithDidFinishSelector{
    "closeIrisWithDidFinishSelector:withDuration:"};
inline const Selector<void(Touches, Event)> touchesBegan{"touchesBegan:withEvent:"};
inline const Selector<void(Touches, Event)> touchesMoved{"touchesMoved:withEvent:"};
inline const Selector<void(Touches, Event)> touchesEnded{"touchesEnded:withEvent:"};
inline const Selector<void()> viewDidAppear{"viewDidAppear"};
inline const Selector<void(int)> _windowWillAnimateRotationToOrientation{
    "_windowWillAnimateRotationToOrientation:"};
inline const Selector<void(id)> _handleOverlayViewLongPress{"_handleOverlayViewLongPress:"};
inline const Selector<void()> dealloc{"dealloc"};
inline const Selector<CGPoint(CGPoint, bool*)> convertToPointOfInterestFromViewCoordinates{
    "convertToPointOfInterestFromViewCoordinates:pointIsInsideContent:"};
inline const Selector<void(id)> cameraControllerDidTakePhoto{"cameraControllerDidTakePhoto:"};
inline const Selector<bool(id)> cameraShutterClicked{"cameraShutterClicked:"};
inline const Selector<void()> pressShutterButton{"pressShutterButton"};
inline const Selector<void(bool)> _setShouldShowFocus{"_setShouldShowFocus:"};

// PLPreviewOverlayView
inline const Selector<id(CGRect)> initWithFrame{"initWithFrame:"};

// PLSwipeBlockingScrollView
inline const Selector<bool(id)> gestureRecognizerShouldBegin{"gestureRecognizerShouldBegin:"};

// PLCameraButtonBar (and dealloc above)
inline const Selector<void()> layoutSubviews{"layoutSubviews"};

// PLCameraController
inline const Selector<id()> init{"init"};
inline const Selector<void()> _focusCompleted{"_focusCompleted"};
inline const Selector<void()> _focusStarted{"_focusStarted"};
inline const Selector<bool()> isFocusAllowed{"isFocusAllowed"};
inline const Selector<void(bool, bool)> _autofocus{"_autofocus:autoExpose:"};
inline const Selector<void()> autofocus{"autofocus"};
inline const Selector<void()> _exposureStarted{"_exposureStarted"};
inline const Selector<void()> _exposureCompleted{"_exposureCompleted"};
inline const Selector<void()> _whiteBalanceStarted{"_whiteBalanceStarted"};
inline const Selector<void(int, int)> _setCameraMode{"_setCameraMode:cameraDevice:"};
inline const Selector<void()> stopPreview{"stopPreview"};
inline const Selector<void()> startPreview{"startPreview"};
inline const Selector<void(bool, bool, bool)> _lockFocus{
    "_lockFocus:lockExposure:lockWhiteBalance:"};

}  // namespace host::sel
