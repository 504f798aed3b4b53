#include "snapforge/startup/OverlayObjects.h"

#include "host/PLCameraView.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/capture/FramingAids.h"
#include "snapforge/capture/Resolution.h"
#include "snapforge/focus/AdvancedFocus.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/prefs/PreferencePanel.h"
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/TimedCapture.h"

namespace snapforge {
namespace {

const platform::CGRect kWhiteBalanceButtonFrame = platform::CGRectMake(10, 370, 74, 31);

template <class View>
void removeAndRelease(std::shared_ptr<View>& view) {
    if (view) {
        view->removeFromSuperview();
        view.reset();
    }
}

platform::CGRect settingsButtonFrame(int barHeight) {
    return platform::CGRectMake(65, static_cast<float>(barHeight / 2) - 17.5f, 35, 35);
}

// Makes the settings button inside the host's bar when there is none yet, then shows it.
void placeSettingsButton(platform::UIView& buttonBar) {
    State& s = state();
    if (!s.settingsButton) {
        s.settingsButton = SettingsButtonEx::create(settingsButtonFrame(s.kCameraButtonBarHeight));
        s.settingsButton->setHidden(true);
        s.settingsButton->setTouchEvents();
        s.settingsButton->setSelected(false);
        buttonBar.addSubview(s.settingsButton);
    }
    s.settingsButton->setHidden(false);
}

// In portrait the lock stands clear of the host's bar, whichever of the two is laid out first.
void placeWhiteBalanceButton(WhiteBalanceButton& button) {
    const int orientation = state().currentOrientation;
    if (orientation == 3 || orientation == 4) {
        return;
    }
    auto frame = button.frame();
    frame.origin.y = button.yFor(1);
    button.setFrame(frame);
}

bool isLit(const std::shared_ptr<SelectorButton>& selector) {
    return selector && selector->isSelected();
}

// A selector's lit state, or the choice in force while the bar has not made that selector yet
// (a bar opened in photo mode has no video selectors).
bool litOr(const std::shared_ptr<SelectorButton>& selector, bool inForce) {
    return selector ? selector->isSelected() : inForce;
}

}  // namespace

void shiftButtonBar(platform::UIView& buttonBar, bool evenWithoutShutter) {
    std::shared_ptr<platform::UIView> imageWell;
    std::shared_ptr<platform::UIView> shutter;
    for (const auto& subview : buttonBar.subviews()) {
        if (subview->isKindOfClass("PLCameraImageWellView")) {
            imageWell = subview;
        } else if (subview->isKindOfClass("PLCameraButton")) {
            shutter = subview;
        }
    }
    if (!shutter && !evenWithoutShutter) {
        return;
    }
    platform::UIView::beginAnimations("pull up clipsView");
    platform::UIView::setAnimationDuration(0.5);
    if (!state().IS_IOS6 && imageWell) {
        auto frame = imageWell->frame();
        frame.origin.x = kImageWellX;
        imageWell->setFrame(frame);
    }
    if (shutter) {
        auto frame = shutter->frame();
        frame.origin.x = kShutterButtonX;
        shutter->setFrame(frame);
    }
    platform::UIView::commitAnimations();
}

void createObjects() {
    State& s = state();
    platform::CFNotificationCenterAddObserver(platform::CFNotificationCenterGetDarwinNotifyCenter(),
                                              nullptr, _callback_settings_form_closed,
                                              std::string(kSettingsFormClosedNotification), nullptr,
                                              platform::CFNotificationSuspensionBehaviorHold);
    const bool reticlesExisted = s.focusView || s.exposureView;
    removeAndRelease(s.focusView);
    removeAndRelease(s.exposureView);

    const bool hideBoth = reticlesExisted ? !s.UseAdvancedCamera : true;
    const bool hideFocus = !supportsContinuousFocus() || hideBoth;
    const bool hideExposure = !supportsContinuousExposure() || hideBoth;
    const auto home =
        platform::CGRectMake(kReticleStartX, kReticleStartY, kReticleSize, kReticleSize);
    auto cameraView = s.cameraView.lock();
    s.focusView = FocusView::create(home);
    s.focusView->setHidden(hideFocus);
    if (cameraView) {
        cameraView->addSubview(s.focusView);
    }
    s.exposureView = ExposureView::create(home);
    s.exposureView->setHidden(hideExposure);
    if (cameraView) {
        cameraView->addSubview(s.exposureView);
    }

    auto overlay = s.previewOverlayView.lock();
    if (overlay && !s.wbLockButton) {
        s.wbLockButton = WhiteBalanceButton::create(kWhiteBalanceButtonFrame);
        s.wbLockButton->setTouchEvents();
        s.wbLockButton->setSelected(false);
        s.wbLockButton->setHidden(!supportsContinuousWhiteBalance());
        overlay->addSubview(s.wbLockButton);
        placeWhiteBalanceButton(*s.wbLockButton);
    }

    if (auto buttonBar = s.cameraButtonBar.lock()) {
        placeSettingsButton(*buttonBar);
        shiftButtonBar(*buttonBar, false);
    }
}

void destroyObjects(bool keepPreferences) {
    State& s = state();
    log("** Snapforge ** destroyObjects()");
    s.killtimer = true;
    removeStopBtn();
    // The bar goes first: freed with its dial open, it may still save the dial's value.
    if (s.cameraBar) {
        s.currentCameraMode = s.cameraBar->cameraMode();
        s.cameraBar->leaveTheScreen();
        s.cameraBar.reset();
    }
    if (s.prefsDictionary && !keepPreferences) {
        s.prefsDictionary.reset();
    }
    removeAndRelease(s.exposureView);
    removeAndRelease(s.focusView);
    removeAndRelease(s.wbLockButton);
    removeAndRelease(s.settingsButton);
    dropPreferencePanel();
}

void restoreSnapforgeModes() {
    const State& s = state();
    const auto& bar = s.cameraBar;
    switch (hostCameraMode()) {
        case kPhotoMode:
            if (bar) {
                log("restoreSnapforgeModes: cameraBar.overlayBtn.isSelected: %@, "
                    "_tmpOverlaySelected: %@",
                    isLit(bar->overlayBtn), s._tmpOverlaySelected);
            } else {
                log("restoreSnapforgeModes, _tmpOverlaySelected: %@", s._tmpOverlaySelected);
            }
            toggleOverlay(s.overlayIndex,
                          litOr(bar ? bar->overlayBtn : nullptr, s._tmpOverlaySelected), true);
            break;
        case kVideoMode:
            toggleResolution(s.resolutionIndex,
                             litOr(bar ? bar->resolutionBtn : nullptr, s._tmpResolutionSelected),
                             true);
            toggleFrameGuide(s.guideIndex,
                             litOr(bar ? bar->frameGuideBtn : nullptr, s._tmpGuideSelected), true);
            break;
        default:
            break;
    }
}

void _method$PLCameraButtonBar$layoutSubviews(id self, SEL cmd) {
    _orig$PLCameraButtonBar$layoutSubviews(self, cmd);
    auto bar = platform::retain<host::PLCameraButtonBar>(self);
    if (!bar) {
        return;
    }
    State& s = state();
    s.cameraButtonBar = bar;
    s.kCameraButtonBarHeight = static_cast<int>(bar->frame().size.height);
    placeSettingsButton(*bar);
    shiftButtonBar(*bar, false);
    if (s.wbLockButton) {
        placeWhiteBalanceButton(*s.wbLockButton);
    }
}

void _method$PLCameraButtonBar$dealloc(id self, SEL cmd) {
    _orig$PLCameraButtonBar$dealloc(self, cmd);
    state().settingsButton.reset();
}

id _method$PLPreviewOverlayView$initWithFrame$(id self, SEL cmd, CGRect frame) {
    id view = _orig$PLPreviewOverlayView$initWithFrame$(self, cmd, frame);
    state().previewOverlayView = platform::retain<host::PLPreviewOverlayView>(view);
    return view;
}

}  // namespace snapforge
