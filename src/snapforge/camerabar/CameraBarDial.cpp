// The bar's side of the selection dial: when it shows, how it is configured for each mode, where
// its value goes when it closes, and the interval the timed capture counts.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIScreen.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBar.h"
#include "snapforge/camerabar/CameraBarActions.h"
#include "snapforge/startup/Log.h"
#include "snapforge/timed/SelectorDial.h"

namespace snapforge {
namespace {

constexpr double kDialFade = 0.5;

// A count of ticks from times that a damaged preferences file may have made anything: bounded,
// so that neither it nor the tick a repeat adds overflows.
int ticks(std::int64_t count) {
    return static_cast<int>(std::clamp<std::int64_t>(count, -std::numeric_limits<int>::max(),
                                                     std::numeric_limits<int>::max() - 1));
}

void setButtonHidden(const std::shared_ptr<platform::UIButton>& button, bool hidden) {
    if (button) {
        button->setHidden(hidden);
    }
}

}  // namespace

platform::CGRect CameraBar::dialFrame() {
    const float screenWidth = platform::UIScreen::mainScreen().bounds().size.width;
    const int x = static_cast<int>(screenWidth / 2 - 100);
    return platform::CGRectMake(static_cast<float>(x), 150, 200, 152);
}

void CameraBar::checkSelectionDialSetup(int mode) {
    const bool photo = cameraControllerMode_ == 0;
    const bool video = cameraControllerMode_ == 1;
    bool needed = false;
    switch (mode) {
        case kNormalMode:
            needed = photo && (isSelected(timerModeBtn) || isSelected(burstModeBtn));
            break;
        case kTimeLapseMode:
            needed = photo && isSelected(burstModeBtn);
            break;
        case kTimerMode:
            needed = photo && isSelected(timerModeBtn);
            break;
        case kAdvancedVideoMode:
        case kFrameRateMode:
            needed = video && isSelected(fpsBtn);
            break;
        default:
            break;
    }
    if (isHidden()) {
        needed = false;
    }
    if (!needed) {
        if (selDial) {
            removeSelDial();
        }
        return;
    }
    if (!selDial) {
        selDial = SelectorDial::create(dialFrame());
        selDial->setAlpha(0);
    } else {
        keepDialValue();
    }
    // A dial picked up during its fade-out stays: the fade's end sees the newer showing.
    ++dialShowings_;
    configureDial(mode);
    selDial->setHidden(false);
    auto dial = selDial;
    platform::UIView::animate(kDialFade, 0, 0, [dial] { dial->setAlpha(1); });
}

// The value being edited stays with the kind the dial shows, and a time lapse with its unit too:
// switching to another mode, or a bar reopened during its hide, must not lose either.
void CameraBar::keepDialValue() {
    if (selDial->selectorType() == SelectorDial::kTimeLapseKind) {
        logAlways("checkSelectionDialSetup 1, timeLapseTime = %d", timeLapseTime);
        timeType = selDial->timeType();
    }
    keepTime(selDial->selectorType(), selDial->time());
}

void CameraBar::keepTime(int kind, int value) {
    switch (kind) {
        case SelectorDial::kTimerKind:
            timerTime = value;
            break;
        case SelectorDial::kTimeLapseKind:
            timeLapseTime = value;
            break;
        case SelectorDial::kFrameRateKind:
            frameRateTime = value;
            break;
        default:
            break;
    }
}

void CameraBar::configureDial(int mode) {
    selDial->_rotate(currentOrientation);
    switch (mode) {
        case kTimeLapseMode:
            selDial->setTimeType(timeType);
            selDial->setSelectorType(SelectorDial::kTimeLapseKind);
            setButtonHidden(selDial->changeTimeBtn(), false);
            logAlways("checkSelectionDialSetup 2, timeLapseTime = %d", timeLapseTime);
            if (timeLapseTime > 0) {
                selDial->setTime(timeLapseTime);
            }
            break;
        case kTimerMode:
            selDial->setTimeType(timeType);
            selDial->setSelectorType(SelectorDial::kTimerKind);
            setButtonHidden(selDial->changeTimeBtn(), true);
            if (timerTime > 0) {
                selDial->setTime(timerTime);
            }
            break;
        case kFrameRateMode:
            selDial->setTimeType(timeType);
            selDial->setSelectorType(SelectorDial::kFrameRateKind);
            setButtonHidden(selDial->changeTimeBtn(), true);
            if (frameRateTime > 0) {
                selDial->setTime(frameRateTime);
            }
            // The control ignores a target/action pair it has already, so "SET" acts once.
            if (auto ok = selDial->okBtn()) {
                ok->addTarget(this, setFrameRateBtnPressSelector.sel,
                              platform::UIControlEventTouchUpInside);
            }
            break;
        default:
            // The dial keeps its kind and with it its own unit (seconds, minutes or fps).
            break;
    }
}

void CameraBar::removeSelDial() {
    if (!selDial) {
        return;
    }
    auto dial = selDial;
    log("removeSelDial, selDial.time: %d, selDial.selectorType: %d", dial->time(),
        dial->selectorType());
    if (dial->time() > 0) {
        timeType = dial->timeType();
        selectorType = dial->selectorType();
    }
    keepTime(dial->selectorType(), dial->time());
    const auto showing = dialShowings_;
    std::weak_ptr<CameraBar> bar = std::dynamic_pointer_cast<CameraBar>(weak_from_this().lock());
    platform::UIView::animate(
        kDialFade, 0, 0, [dial] { dial->setAlpha(0); },
        [dial, bar, showing](bool) {
            auto owner = bar.lock();
            if (owner && owner->dialShowings_ != showing) {
                return;
            }
            dial->setHidden(true);
            dial->removeFromSuperview();
            if (owner && owner->selDial == dial) {
                owner->selDial.reset();
            }
        });
}

int CameraBar::getTimerSeconds() {
    log("getTimerSeconds 0, camera mode = %d", cameraMode_);
    if (selDial) {
        timeType = selDial->timeType();
        const int value = selDial->time();
        keepTime(selDial->selectorType(), value);
        return ticks(timeType == SelectorDial::kMinutes ? 60 * std::int64_t{value}
                                                        : value + std::int64_t{1});
    }
    if (cameraControllerMode_ == 1) {
        return ticks(frameRateTime + std::int64_t{1});
    }
    if (cameraControllerMode_ != 0) {
        return 1;
    }
    // A time lapse counted in minutes keeps its unit after the dial has closed.
    const bool minutes = timeType == SelectorDial::kMinutes;
    if (timerSelected) {
        return ticks(timerTime + std::int64_t{1});
    }
    if (timeLapseSelected) {
        return ticks(minutes ? 60 * std::int64_t{timeLapseTime} : timeLapseTime + std::int64_t{1});
    }
    if (cameraMode_ == kTimeLapseMode) {
        return ticks(minutes ? 60 * std::int64_t{timeLapseTime} : timeLapseTime);
    }
    return 1;
}

}  // namespace snapforge
