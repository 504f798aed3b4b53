#pragma once

#include "host/Selectors.h"
#include "platform/ui/UIView.h"

namespace host {

// The host camera view as the library sees it. The simulated camera derives from it.
class PLCameraView : public platform::UIView {
public:
    void openIrisWithDidFinishSelector(platform::SEL didFinish, float duration) {
        platform::send(this, sel::openIrisWithDidFinishSelector, didFinish, duration);
    }
    void closeIrisWithDidFinishSelector(platform::SEL didFinish, float duration) {
        platform::send(this, sel::closeIrisWithDidFinishSelector, didFinish, duration);
    }
    void viewDidAppear() { platform::send(this, sel::viewDidAppear); }
    void enterPanoramaMode() { platform::send(this, sel::enterPanoramaMode); }
    void exitPanoramaModeAndShowIris(bool show) {
        platform::send(this, sel::exitPanoramaModeAndShowIris, show);
    }
    void pressShutterButton() { platform::send(this, sel::pressShutterButton); }
    void _setShouldShowFocus(bool show) { platform::send(this, sel::_setShouldShowFocus, show); }
    platform::CGPoint convertToPointOfInterestFromViewCoordinates(platform::CGPoint point,
                                                                  bool* pointIsInsideContent) {
        return platform::send(this, sel::convertToPointOfInterestFromViewCoordinates, point,
                              pointIsInsideContent);
    }
    bool cameraShutterClicked(platform::id sender) {
        return platform::send(this, sel::cameraShutterClicked, sender);
    }
    void cameraControllerDidTakePhoto(platform::id controller) {
        platform::send(this, sel::cameraControllerDidTakePhoto, controller);
    }
    void _windowWillAnimateRotationToOrientation(int orientation) {
        platform::send(this, sel::_windowWillAnimateRotationToOrientation, orientation);
    }
    void _handleOverlayViewLongPress(platform::id recognizer) {
        platform::send(this, sel::_handleOverlayViewLongPress, recognizer);
    }
    void dealloc() { platform::send(this, sel::dealloc); }
};

// The host's bottom button bar: its subviews include the shutter button ("PLCameraButton") and
// the last photo's thumbnail ("PLCameraImageWellView").
class PLCameraButtonBar : public platform::UIView {
public:
    void layoutSubviews() { platform::send(this, sel::layoutSubviews); }
    void dealloc() { platform::send(this, sel::dealloc); }
};

// The host's view over the live preview.
class PLPreviewOverlayView : public platform::UIView {};

}  // namespace host
