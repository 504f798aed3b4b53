#include "snapforge/camerabar/CameraBarPresentation.h"

#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/UIScreen.h"
#include "snapforge/camerabar/CameraBarActions.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/prefs/PreferenceButton.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/SelectorDial.h"

namespace snapforge {
namespace {

constexpr float kBarHeight = 80;
constexpr float kBarOverlap = 8;
constexpr double kFadeIn = 0.5;
const platform::CGRect kPreferenceButtonFrame = platform::CGRectMake(175, 320, 138, 31);
constexpr float kPreferenceButtonAboveDial = 4;

platform::CGRect barFrame(const State& s) {
    const float screenHeight = platform::UIScreen::mainScreen().bounds().size.height;
    const int y = static_cast<int>(screenHeight - static_cast<float>(s.kCameraButtonBarHeight) -
                                   kBarHeight + kBarOverlap);
    return platform::CGRectMake(0, static_cast<float>(y), 320, kBarHeight);
}

// Beside the bar where that leaves the bar's controls free (taller screens); otherwise the same
// button just above the dial, the one place clear of every control of the bar and the dial.
platform::CGRect preferenceButtonFrame(const platform::CGRect& barFrame) {
    if (!platform::CGRectIntersectsRect(kPreferenceButtonFrame,
                                        CameraBar::controlsFrame(barFrame))) {
        return kPreferenceButtonFrame;
    }
    platform::CGRect frame = kPreferenceButtonFrame;
    frame.origin.y =
        CameraBar::dialFrame().origin.y - frame.size.height - kPreferenceButtonAboveDial;
    return frame;
}

std::shared_ptr<platform::NSMutableDictionary> creationDictionary(const State& s) {
    auto prefs = platform::NSMutableDictionary::create();
    prefs->setObject(s._tmpAdvPhotoSelected, "advPhotoSelected");
    prefs->setObject(s._tmpAdvVideoSelected, "advVideoSelected");
    prefs->setObject(s.overlayIndex, "overlayIndex");
    prefs->setObject(s.guideIndex, "guideIndex");
    prefs->setObject(s.resolutionIndex, "resolutionIndex");
    prefs->setObject(s._timerTime, "timerTime");
    prefs->setObject(s._timeLapseTime, "timeLapseTime");
    prefs->setObject(s._frameRateTime, "frameRateTime");
    prefs->setObject(s._timeType, "timeType");
    prefs->setObject(s._tmpTimeLapseSelected, "timeLapseSelected");
    prefs->setObject(s._tmpTimerSelected, "timerSelected");
    prefs->setObject(s._tmpOverlaySelected, "overlaySelected");
    prefs->setObject(s._tmpFrameRateSelected, "frameRateSelected");
    prefs->setObject(s._tmpResolutionSelected, "resolutionSelected");
    prefs->setObject(s._tmpGuideSelected, "guideSelected");
    return prefs;
}

template <class View>
void setAlpha(const std::shared_ptr<View>& view, float alpha) {
    if (view) {
        view->setAlpha(alpha);
    }
}

template <class View>
void setHidden(const std::shared_ptr<View>& view, bool hidden) {
    if (view) {
        view->setHidden(hidden);
    }
}

void setSelectorsAndDialAlpha(CameraBar& bar, float alpha) {
    setAlpha(bar.overlayBtn, alpha);
    setAlpha(bar.resolutionBtn, alpha);
    setAlpha(bar.frameGuideBtn, alpha);
    setAlpha(bar.selDial, alpha);
}

}  // namespace

void createCameraBar() {
    State& s = state();
    const auto prefs = creationDictionary(s);
    s.cameraBar = CameraBarEx::create(barFrame(s), *prefs, s._cameraControllerMode);
    if (!s.cameraBar) {
        return;
    }
    auto& bar = *s.cameraBar;
    bar.setAlpha(0);
    bar.setHidden(true);
    bar.setCameraMode(s.currentCameraMode);
    bar.setCameraControllerMode(s._cameraControllerMode);
    s.skipSavePrefs = true;
    bar.restoreCameraModeByMode();
    s.skipSavePrefs = false;
    platform::NSNotificationCenter::defaultCenter().addObserver(
        &bar, appDidEnterBackgroundSelector.sel,
        platform::UIApplicationDidEnterBackgroundNotification, nullptr);
    if (!s.DISABLE_SAVE) {
        s.prefButton = PreferenceButton::create(preferenceButtonFrame(bar.frame()));
        s.prefButton->setAlpha(0);
        s.prefButton->setHidden(true);
    }
}

void showCameraBar() {
    State& s = state();
    auto bar = s.cameraBar;
    if (!bar) {
        return;
    }
    const int mode = hostCameraMode();
    bar->setCameraControllerMode(mode);
    bar->setupButtons();
    bar->_rotate(s.currentOrientation);
    if (mode == kPhotoMode) {
        setAlpha(bar->overlayBtn, 1);
        bar->handleSelectorLight(bar->overlayBtn.get());
    } else if (mode == kVideoMode) {
        setAlpha(bar->resolutionBtn, 1);
        setAlpha(bar->frameGuideBtn, 1);
        bar->handleSelectorLight(bar->resolutionBtn.get());
        bar->handleSelectorLight(bar->frameGuideBtn.get());
    }
    bar->setHidden(false);
    setHidden(s.prefButton, false);
    bar->checkSelectionDialSetup(bar->cameraMode());
    auto prefButton = s.prefButton;
    platform::UIView::animate(
        kFadeIn, 0, 0,
        [bar, prefButton] {
            bar->setAlpha(1);
            setAlpha(prefButton, 1);
        },
        [bar](bool) { bar->blinkScrollArrows(); });
}

void hideCameraBar(platform::id sender, double duration) {
    log("** Snapforge ** hideCameraBar");
    State& s = state();
    if (auto bar = s.cameraBar) {
        auto prefButton = s.prefButton;
        auto button = platform::retain<platform::UIButton>(sender);
        platform::UIView::animate(
            duration, 0, 0,
            [bar, prefButton] {
                setSelectorsAndDialAlpha(*bar, 0);
                bar->setAlpha(0);
                setAlpha(prefButton, 0);
            },
            [bar, prefButton, button](bool) {
                bar->setHidden(true);
                setHidden(prefButton, true);
                if (button && button->isSelected()) {
                    // The user reopened the bar during the fade.
                    bar->setHidden(false);
                    setHidden(prefButton, false);
                    setSelectorsAndDialAlpha(*bar, 1);
                    bar->setAlpha(1);
                    setAlpha(prefButton, 1);
                    return;
                }
                bar->removeSelDial();
            });
    }
    if (sender == nullptr && s.settingsButton) {
        s.settingsButton->setSelected(false);
    }
}

}  // namespace snapforge
