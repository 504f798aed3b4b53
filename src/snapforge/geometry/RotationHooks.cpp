// The added objects turn with the interface, after the host's own rotation handling.
#include "snapforge/geometry/RotationHooks.h"

#include "platform/foundation/RunLoop.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/StopButton.h"
#include "snapforge/timed/TimerLabel.h"

namespace snapforge {
namespace {

// The white-balance button sits higher in landscape, within reach of the thumb.
void moveWhiteBalanceButton(WhiteBalanceButton& button, int orientation) {
    platform::CGRect frame = button.frame();
    frame.origin.y = button.yFor(orientation);
    platform::UIView::beginAnimations("w");
    platform::UIView::setAnimationDuration(0.5);
    button.setFrame(frame);
    platform::UIView::commitAnimations();
}

}  // namespace

void rotateObjectsOnMainThread() {
    rotateObjects(state().currentOrientation);
}

void rotateObjects(int orientation) {
    State& s = state();
    if (s.focusView) {
        s.focusView->rotateLock(orientation);
    }
    if (s.exposureView) {
        s.exposureView->rotateLock(orientation);
    }
    if (s.wbLockButton) {
        moveWhiteBalanceButton(*s.wbLockButton, orientation);
    }
    if (const auto bar = s.cameraBar) {
        if (!bar->isHidden()) {
            bar->_rotate(orientation);
        }
        if (bar->timerLabel) {
            bar->timerLabel->rotate(orientation);
        }
    }
    if (s.stopBtn) {
        s.stopBtn->_rotate(orientation);
    }
}

void _method$PLCameraView$_windowWillAnimateRotationToOrientation$(id self, SEL cmd,
                                                                   int orientation) {
    log("** Snapforge ** PLCameraView - _windowWillAnimateRotationToOrientation$ %d", orientation);
    _orig$PLCameraView$_windowWillAnimateRotationToOrientation$(self, cmd, orientation);
    state().currentOrientation = orientation;
    platform::RunLoop::main().dispatchAsyncMain(rotateObjectsOnMainThread);
}

}  // namespace snapforge
