// The host camera's lifecycle: the library records the host's objects, creates and removes its
// own, loads the preferences and re-applies the user's modes as the camera opens and closes.
#include "host/PLCameraController.h"
#include "host/PLCameraView.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/capture/FramingAids.h"
#include "snapforge/focus/AdvancedFocus.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/prefs/PreferencePanel.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/OverlayObjects.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/TimedCapture.h"

namespace snapforge {
namespace {

void setSettingsButtonHidden(bool hidden) {
    if (auto& button = state().settingsButton) {
        button->setHidden(hidden);
    }
}

constexpr double kBarFade = 0.3;

// After a photo/video switch the bar's mode button of the new mode decides, or without a bar
// (or without that button) the advanced choice in force.
void reapplyAdvancedFocus(State& s) {
    if (s.cameraBar) {
        if (s._cameraControllerMode == kPhotoMode && s.cameraBar->normalModeBtn) {
            const bool selected = s.cameraBar->normalModeBtn->isSelected();
            log("cameraBar.normalModeBtn.selected: %@", selected);
            toggleAdvancedFocus(selected, nullptr, true);
            return;
        }
        if (s._cameraControllerMode == kVideoMode && s.cameraBar->exposureFocusBtn) {
            const bool selected = s.cameraBar->exposureFocusBtn->isSelected();
            log("cameraBar.exposureFocusBtn.selected: %@", selected);
            toggleAdvancedFocus(selected, nullptr, true);
            return;
        }
    }
    if (s._cameraControllerMode == kPhotoMode) {
        log("_tmpAdvPhotoSelected: %@", s._tmpAdvPhotoSelected);
        toggleAdvancedFocus(s._tmpAdvPhotoSelected, nullptr, true);
    } else if (s._cameraControllerMode == kVideoMode) {
        log("_tmpAdvVideoSelected: %@", s._tmpAdvVideoSelected);
        toggleAdvancedFocus(s._tmpAdvVideoSelected, nullptr, true);
    }
}

// The reticles show what the device can serve; the host keeps what they cannot.
void applyDeviceSupport(State& s) {
    if (s.cameraController.expired()) {
        return;
    }
    if (s.UseAdvancedCamera) {
        const bool focusSupported = supportsContinuousFocus();
        const bool exposureSupported = supportsContinuousExposure();
        if (!focusSupported && s.focusView) {
            s.focusView->setHidden(true);
        }
        if (!exposureSupported && s.exposureView) {
            s.exposureView->setHidden(true);
        }
        s.canFocus = !focusSupported;
        s.canExpose = !exposureSupported;
    }
    if (s.wbLockButton) {
        s.wbLockButton->setHidden(!supportsContinuousWhiteBalance());
    }
}

void bringButtonBarForward(platform::UIView& cameraView) {
    for (const auto& subview : cameraView.subviews()) {
        if (subview->isMemberOfClass("PLCameraButtonBar")) {
            cameraView.bringSubviewToFront(subview.get());
            shiftButtonBar(*subview, true);
            return;
        }
    }
}

}  // namespace

id _method$PLCameraController$init(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - init");
    id controller = _orig$PLCameraController$init(self, cmd);
    state().cameraController = platform::retain<host::PLCameraController>(controller);
    return controller;
}

void _method$PLCameraView$viewDidAppear(id self, SEL cmd) {
    log("** Snapforge ** PLCameraView - viewDidAppear");
    state().cameraView = platform::retain<host::PLCameraView>(self);
    createObjects();
    _orig$PLCameraView$viewDidAppear(self, cmd);
}

void _method$PLCameraView$openIrisWithDidFinishSelector$withDuration$(id self, SEL cmd,
                                                                      SEL didFinish,
                                                                      float duration) {
    log("** Snapforge ** PLCameraView - $openIrisWithDidFinishSelector$withDuration$");
    State& s = state();
    auto cameraView = platform::retain<host::PLCameraView>(self);
    s.cameraView = cameraView;
    if (!s.exposureView) {
        createObjects();
    }
    if (!s.DISABLE_SAVE && !s.prefsDictionary) {
        log("** Snapforge ** PLCameraView - $openIrisWithDidFinishSelector$withDuration$ "
            "!prefsDictionary->handlePrefs()");
        handlePrefs();
    }
    if (s.didChangeModes) {
        reapplyAdvancedFocus(s);
    }
    s.didChangeModes = false;
    applyDeviceSupport(s);
    setSettingsButtonHidden(false);
    hideOverlayView();
    restoreSnapforgeModes();
    if (cameraView) {
        bringButtonBarForward(*cameraView);
    }
    _orig$PLCameraView$openIrisWithDidFinishSelector$withDuration$(self, cmd, didFinish, duration);
}

void _method$PLCameraView$closeIrisWithDidFinishSelector$withDuration$(id self, SEL cmd,
                                                                       SEL didFinish,
                                                                       float duration) {
    log("** Snapforge ** PLCameraView - $closeIrisWithDidFinishSelector$withDuration$");
    State& s = state();
    hideCameraBar(nullptr, kBarFade);
    if (!s.capturingPhoto) {
        hidePreferencePanel(false);
        if (s.wbLockButton) {
            s.wbLockButton->setSelected(false);
        }
        s.canWhiteBalance = false;
    }
    s.capturingPhoto = false;
    _orig$PLCameraView$closeIrisWithDidFinishSelector$withDuration$(self, cmd, didFinish, duration);
}

void _method$PLCameraController$_setCameraMode$cameraDevice$(id self, SEL cmd, int mode,
                                                             int device) {
    log("** Snapforge ** PLCameraController - _setCameraMode$cameraDevice$ arg1: %d, "
        "cameraDevice: %d",
        mode, device);
    State& s = state();
    s._cameraControllerMode = mode;
    if (s.cameraBar) {
        if (mode != kPhotoMode) {
            s.cameraBar->endTimedShooting();
        }
        s.cameraBar->setCameraControllerMode(mode);
    }
    s.didChangeModes = true;
    _orig$PLCameraController$_setCameraMode$cameraDevice$(self, cmd, mode, device);
}

void _method$PLCameraView$enterPanoramaMode(id self, SEL cmd) {
    log("** Snapforge ** PLCameraView - enterPanoramaMode");
    if (auto& bar = state().cameraBar) {
        bar->endTimedShooting();
    }
    toggleAdvancedFocus(false, nullptr, false);
    hideCameraBar(nullptr, kBarFade);
    _orig$PLCameraView$enterPanoramaMode(self, cmd);
    setSettingsButtonHidden(true);
    hideOverlayView();
}

void _method$PLCameraView$exitPanoramaModeAndShowIris$(id self, SEL cmd, bool show) {
    log("** Snapforge ** PLCameraView - exitPanoramaModeAndShowIris$");
    _orig$PLCameraView$exitPanoramaModeAndShowIris$(self, cmd, show);
    setSettingsButtonHidden(false);
    restoreSnapforgeModes();
}

void _method$PLCameraController$stopPreview(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - stopPreview");
    _orig$PLCameraController$stopPreview(self, cmd);
    clearVariables();
    removeStopBtn();
    hideCameraBar(nullptr, kBarFade);
    dropPreferencePanel();
    State& s = state();
    if (s.cameraBar) {
        s.cameraBar->leaveTheScreen();
    }
    s.killtimer = true;
    // A photo the closing camera never took must not pass for one at the next iris close.
    s.capturingPhoto = false;
}

void _method$PLCameraController$startPreview(id self, SEL cmd) {
    log("** Snapforge ** PLCameraController - startPreview");
    _orig$PLCameraController$startPreview(self, cmd);
    handlePrefs();
}

void _method$PLCameraView$dealloc(id self, SEL cmd) {
    log("** Snapforge ** PLCameraView - dealloc");
    hideCameraBar(nullptr, kBarFade);
    destroyObjects(false);
    _orig$PLCameraView$dealloc(self, cmd);
}

}  // namespace snapforge
