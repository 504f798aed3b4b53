// Timed shooting: the countdown that holds back a shutter press and takes the photo at zero.
#include <string>

#include "host/PLCameraView.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIScreen.h"
#include "snapforge/camerabar/CameraBarActions.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/geometry/Helper.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/StopButton.h"
#include "snapforge/timed/TimedCapture.h"
#include "snapforge/timed/TimerLabel.h"

namespace snapforge {
namespace {

constexpr double kTickSeconds = 1.0;
constexpr double kSwellSeconds = 0.95;
constexpr platform::CGFloat kSwellScale = 8;
constexpr float kStopButtonSide = 152;

float screenWidth() {
    return platform::UIScreen::mainScreen().bounds().size.width;
}

platform::CGRect stopButtonFrame() {
    const int x = static_cast<int>(screenWidth() / 2 - kStopButtonSide / 2);
    return platform::CGRectMake(static_cast<float>(x), 150, kStopButtonSide, kStopButtonSide);
}

platform::CGRect countdownFrame() {
    return platform::CGRectMake(screenWidth() / 2 - 100, 160, 200, 150);
}

}  // namespace

void CameraBarEx::startTimerMode() {
    log("CameraBarEx startTimerMode");
    State& s = state();
    s.killtimer = false;
    // One count at a time: a start while a count runs replaces it and counts afresh.
    const bool replacing = timerLabel != nullptr;
    if (replacing) {
        dropCountdown(countdown_.lock().get());
    }
    if (!s.stopBtn) {
        s.stopBtn = StopButton::create(stopButtonFrame());
        // Turned with the interface before it first shows, as the countdown beside it is.
        if (s.currentOrientation != 1) {
            s.stopBtn->setTransform(Helper::getTransformation(s.currentOrientation));
        }
        s.stopBtn->setHidden(false);
        if (auto button = s.stopBtn->stopButton()) {
            button->addTarget(this, stopBtnTouchSelector.sel, platform::UIControlEventTouchDown);
            button->addTarget(this, stopBtnTouchSelector.sel,
                              platform::UIControlEventTouchUpInside);
        }
    } else if (!replacing) {
        s.addOneToSeconds = true;
    }
    if (s._tmpTimerSelected) {
        setCameraMode(kTimerMode);
    }
    if (s._tmpTimeLapseSelected) {
        setCameraMode(kTimeLapseMode);
    }
    prevCameraMode = cameraMode();
    setCameraMode(kNormalMode);
    auto& loop = platform::RunLoop::main();
    if (loop.isMainThread()) {
        createTimer();
    } else {
        auto self = std::static_pointer_cast<CameraBarEx>(shared_from_this());
        loop.performOnMainThread([self] { self->createTimer(); }, true);
    }
}

void CameraBarEx::createTimer() {
    State& s = state();
    const int extra = s.addOneToSeconds ? 1 : 0;
    setCameraMode(prevCameraMode);
    s.iSeconds = getTimerSeconds() + extra;
    setCameraMode(kNormalMode);
    s.addOneToSeconds = false;
    s._timerTime = timerTime;
    s._timeLapseTime = timeLapseTime;
    s._frameRateTime = frameRateTime;

    timerLabel = TimerLabel::create(countdownFrame());
    timerLabel->setText("");
    timerLabel->setTextAlignment(platform::NSTextAlignmentCenter);
    // The interface's orientation: the bar's own is stale when it turned while hidden.
    if (s.currentOrientation != 1) {
        timerLabel->rotate(s.currentOrientation);
    }
    auto self = std::static_pointer_cast<CameraBarEx>(shared_from_this());
    const auto timer =
        platform::NSTimer::scheduledTimer(kTickSeconds, true, [self](platform::NSTimer& tick) {
            platform::send(self.get(), countTheSecondsSelector, &tick);
        });
    countdown_ = timer;
    timerLabel->setHidden(false);
}

void CameraBarEx::countTheSeconds(platform::id timer) {
    State& s = state();
    auto* tick = dynamic_cast<platform::NSTimer*>(timer);
    --s.iSeconds;
    if (s.killtimer) {
        endCountdown(tick);
        return;
    }
    if (s.iSeconds > 0) {
        flashNumber(s.iSeconds);
    } else {
        endCountdown(tick);
        if (!s.killtimer) {
            // The press must reach the host, even if the bar was reopened during the count.
            setCameraMode(kNormalMode);
            if (auto cameraView = s.cameraView.lock()) {
                cameraView->pressShutterButton();
            }
            restoreCameraModeBySelectedButton();
            // No repeat follows a time lapse given up during its count: its stop button goes.
            if (cameraMode() != kTimeLapseMode) {
                removeStopBtn();
            }
        }
    }
    if (s.killtimer) {
        endCountdown(tick);
    }
}

// The number swells and fades; the blocks act on whatever label the bar holds when they run.
void CameraBarEx::flashNumber(int seconds) {
    timerLabel->setText(std::to_string(seconds));
    timerLabel->setTransform(platform::CGAffineTransformIdentity);
    timerLabel->setAlpha(1);
    auto self = std::static_pointer_cast<CameraBarEx>(shared_from_this());
    platform::UIView::animate(
        kSwellSeconds, 0, platform::UIViewAnimationOptionBeginFromCurrentState,
        [self] {
            if (const auto& label = self->timerLabel) {
                label->setAlpha(0);
                label->setTransform(platform::CGAffineTransformMakeScale(kSwellScale, kSwellScale));
            }
        },
        [self](bool) {
            if (const auto& label = self->timerLabel) {
                label->setText("");
                label->setTransform(platform::CGAffineTransformIdentity);
                label->setAlpha(1);
            }
        });
}

void CameraBarEx::endCountdown(platform::NSTimer* timer) {
    if (prevCameraMode != kTimeLapseMode) {
        removeStopBtn();
    }
    dropCountdown(timer);
}

void CameraBarEx::dropCountdown(platform::NSTimer* timer) {
    if (timer != nullptr) {
        timer->invalidate();
    }
    if (timerLabel) {
        timerLabel->setHidden(true);
        timerLabel->removeFromSuperview();
        timerLabel.reset();
    }
}

void CameraBarEx::leaveTheScreen() {
    dropCountdown(countdown_.lock().get());
    endMessages();
}

void CameraBarEx::endTimedShooting() {
    if (timerLabel) {
        // As at the stop button, and the count goes at once rather than at its next tick.
        stopBtnTouch(nullptr);
        dropCountdown(countdown_.lock().get());
    }
    // A time lapse between two counts.
    removeStopBtn();
}

void CameraBarEx::stopBtnTouch(platform::id) {
    state().killtimer = true;
    setCameraMode(prevCameraMode);
    removeStopBtn();
}

}  // namespace snapforge
