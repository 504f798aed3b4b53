#include "snapforge/camerabar/CameraBarEx.h"

#include "platform/foundation/NSNotificationCenter.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarActions.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/focus/AdvancedFocus.h"
#include "snapforge/prefs/PreferenceButton.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/OverlayObjects.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/SelectorDial.h"

namespace snapforge {

platform::Class* cameraBarExClass() {
    cameraBarClass();
    return libraryClass("CameraBarEx", "CameraBar", [](platform::Class* cls) {
        platform::class_addMemberMethod<&CameraBarEx::appDidEnterBackground>(
            cls, appDidEnterBackgroundSelector);
        platform::class_addMemberMethod<&CameraBarEx::countTheSeconds>(cls,
                                                                       countTheSecondsSelector);
        platform::class_addMemberMethod<&CameraBarEx::stopBtnTouch>(cls, stopBtnTouchSelector);
    });
}

std::shared_ptr<CameraBarEx> CameraBarEx::create(platform::CGRect frame,
                                                 const platform::NSMutableDictionary& prefs,
                                                 int cameraControllerMode) {
    auto bar = std::make_shared<CameraBarEx>();
    bar->setObjcClass(cameraBarExClass());
    if (!bar->initWithFrame(frame, prefs, cameraControllerMode)) {
        return nullptr;
    }
    return bar;
}

CameraBarEx::~CameraBarEx() {
    // The registration must not outlive the bar.
    platform::NSNotificationCenter::defaultCenter().removeObserver(this);
    // A bar freed with its dial open hands the dial's value on as its closing would; the dial
    // fades out on its own.
    CameraBarEx::removeSelDial();
    selDial.reset();
}

void CameraBarEx::toggleMode(platform::id sender) {
    CameraBar::toggleMode(sender);
    log("After toggleMode");
    State& s = state();
    switch (cameraMode()) {
        case kNormalMode:
            if (cameraControllerMode() == 0) {
                s.UseAdvancedCamera = isSelected(normalModeBtn);
                toggleAdvancedFocus(s.UseAdvancedCamera, nullptr, resetsReticles());
                s._tmpAdvPhotoSelected = isSelected(normalModeBtn);
                savePrefs();
            }
            break;
        case kTimeLapseMode:
            log("CameraBarEx toggleMode, time lapse");
            break;
        case kAdvancedVideoMode:
            if (cameraControllerMode() == 1) {
                s.UseAdvancedCamera = isSelected(exposureFocusBtn);
                toggleAdvancedFocus(s.UseAdvancedCamera, nullptr, resetsReticles());
                if (!isSelDialVisible() && !isReplayingOnHiddenBar()) {
                    hideCameraBar(nullptr, 0.6);
                }
                s._tmpAdvVideoSelected = isSelected(exposureFocusBtn);
                savePrefs();
            }
            break;
        case kFrameRateMode:
            if (cameraControllerMode() == 1 && !isSelected(fpsBtn)) {
                setFrameRateBtnPress(nullptr);
            }
            break;
        default:
            break;
    }
    s._tmpTimerSelected = isSelected(timerModeBtn);
    s._timerSelected = s._tmpTimerSelected;
    s._tmpTimeLapseSelected = isSelected(burstModeBtn);
    s._tmpFrameRateSelected = isSelected(fpsBtn);
}

void CameraBarEx::removeSelDial() {
    const auto dial = selDial;
    CameraBar::removeSelDial();
    State& s = state();
    s._timeType = timeType;
    const int value = dial ? dial->time() : 0;
    if (value > 0) {
        switch (selectorType) {
            case SelectorDial::kTimerKind:
                s._timerTime = value;
                break;
            case SelectorDial::kTimeLapseKind:
                s._timeLapseTime = value;
                break;
            case SelectorDial::kFrameRateKind:
                s._frameRateTime = value;
                break;
            default:
                break;
        }
        if (s.rememberSettings) {
            savePrefs();
        }
    }
}

void CameraBarEx::appDidEnterBackground(platform::id) {
    State& s = state();
    s.killtimer = true;
    setAlpha(0);
    setHidden(true);
    if (s.prefButton) {
        s.prefButton->setAlpha(0);
        s.prefButton->setHidden(true);
    }
    if (s.settingsButton) {
        s.settingsButton->setSelected(false);
    }
    toggleAdvancedFocus(false, nullptr, true);
    destroyObjects(true);
}

}  // namespace snapforge
