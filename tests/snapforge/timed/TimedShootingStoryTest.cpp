// Timed shooting as a user meets it: the self-timer and the time lapse hold the shutter back,
// flash the seconds, take their photos and end with the stop button or the camera.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AnimationLog.h"
#include "snapforge/CameraStory.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/timed/SelectorDial.h"
#include "snapforge/timed/StopButton.h"
#include "snapforge/timed/TimedCapture.h"
#include "snapforge/timed/TimerLabel.h"

namespace snapforge::testing {
namespace {

int timedStarts = 0;
void countTimedStart(platform::CFNotificationCenterRef, void*, const std::string&, const void*,
                     const void*) {
    ++timedStarts;
}

class TimedShootingStory : public CameraStory {
protected:
    TimedShootingStory() {
        launch();
        timedStarts = 0;
        platform::CFNotificationCenterAddObserver(
            platform::CFNotificationCenterGetDarwinNotifyCenter(), this, countTimedStart,
            std::string(kStartTimedPhotoNotification), nullptr,
            platform::CFNotificationSuspensionBehaviorDeliverImmediately);
    }

    CameraBarEx& bar() { return *s.cameraBar; }

    // Picks a timed mode on the open bar and sets its dial.
    void choose(const std::shared_ptr<ActionButton>& modeButton, int value, bool minutes = false) {
        ASSERT_TRUE(modeButton);
        if (!modeButton->isSelected()) {
            touch(modeButton);
        }
        ASSERT_TRUE(bar().selDial);
        if (minutes && bar().selDial->timeType() != SelectorDial::kMinutes) {
            touch(bar().selDial->changeTimeBtn());
            ASSERT_EQ(bar().selDial->timeType(), SelectorDial::kMinutes);
        }
        for (int step = 0; step < 60 && bar().selDial->time() != value; ++step) {
            touch(bar().selDial->time() > value ? bar().selDial->minusBtn()
                                                : bar().selDial->plusBtn());
        }
        ASSERT_EQ(bar().selDial->time(), value);
    }
    void chooseSelfTimer(int seconds) {
        toggleBar();
        choose(bar().timerModeBtn, seconds);
    }
    void chooseTimeLapse(int seconds) {
        toggleBar();
        choose(bar().burstModeBtn, seconds);
    }

    // Presses the host's shutter and answers the time of the press.
    double pressShutter() {
        EXPECT_TRUE(app.pressShutter());
        return now();
    }
    static double now() { return platform::RunLoop::main().now(); }
    void runUntil(double time) { platform::RunLoop::main().runUntil(time); }

    // The countdown's number as it shows now.
    std::string countdown() const {
        const auto& label = s.cameraBar ? s.cameraBar->timerLabel : nullptr;
        return label ? label->text() : "none";
    }
    // The countdown texts seen half a second after each of the next ticks.
    std::vector<std::string> flashes(double start, int ticks) {
        std::vector<std::string> seen;
        for (int tick = 1; tick <= ticks; ++tick) {
            runUntil(start + tick + 0.5);
            seen.push_back(countdown());
        }
        return seen;
    }
    std::vector<double> photoTimes() const {
        std::vector<double> times;
        for (const auto& photo : app.photos()) {
            times.push_back(photo.time);
        }
        return times;
    }
    static int countdownWindows() {
        int count = 0;
        for (const auto& window : screen().windows()) {
            count += dynamic_cast<const TimerLabel*>(window.get()) != nullptr ? 1 : 0;
        }
        return count;
    }
};

using Seconds = std::vector<std::string>;

TEST_F(TimedShootingStory, AFiveSecondSelfTimerFlashesFiveToOneAndTakesOnePhotoAtSix) {
    chooseSelfTimer(5);
    const double start = pressShutter();
    run(0);
    EXPECT_EQ(timedStarts, 1);
    EXPECT_EQ(app.photoCount(), 0);
    EXPECT_FALSE(s.capturingPhoto);
    ASSERT_TRUE(s.stopBtn);
    EXPECT_FALSE(s.stopBtn->isHidden());
    EXPECT_EQ(s.stopBtn->frame(), platform::CGRectMake(84, 150, 152, 152));
    EXPECT_EQ(bar().cameraMode(), kNormalMode);
    EXPECT_EQ(bar().prevCameraMode, kTimerMode);

    EXPECT_EQ(flashes(start, 5), (Seconds{"5", "4", "3", "2", "1"}));
    EXPECT_EQ(app.photoCount(), 0);
    // Each number swells eightfold and fades out in 0.95 s.
    const auto* swell =
        platform::AnimationLog::shared().latest(bar().timerLabel.get(), "transform");
    ASSERT_TRUE(swell);
    EXPECT_DOUBLE_EQ(swell->duration, 0.95);
    EXPECT_EQ(std::get<platform::CGAffineTransform>(swell->to),
              platform::CGAffineTransformMakeScale(8, 8));

    runUntil(start + 6.5);
    EXPECT_EQ(photoTimes(), std::vector<double>{start + 6});
    EXPECT_FALSE(s.stopBtn);
    EXPECT_EQ(countdown(), "none");
    EXPECT_EQ(bar().cameraMode(), kTimerMode);
    run(20);
    EXPECT_EQ(app.photoCount(), 1);
    EXPECT_EQ(timedStarts, 1);
    EXPECT_EQ(countdownWindows(), 0);
}

TEST_F(TimedShootingStory, StopDuringACountTakesNoPhotoAndTheLabelGoesAtTheNextTick) {
    chooseSelfTimer(5);
    const double start = pressShutter();
    runUntil(start + 2.5);
    EXPECT_EQ(countdown(), "4");
    touch(s.stopBtn->stopButton());
    EXPECT_FALSE(s.stopBtn);
    EXPECT_EQ(bar().cameraMode(), kTimerMode);
    EXPECT_NE(countdown(), "none");
    runUntil(start + 3.1);
    EXPECT_EQ(countdown(), "none");
    run(10);
    EXPECT_EQ(app.photoCount(), 0);
}

TEST_F(TimedShootingStory, AThreeSecondTimeLapseRepeatsUntilTheStopButton) {
    chooseTimeLapse(3);
    const double start = pressShutter();
    // The first count is the dial's 3 s plus one; each repeat after a report as well.
    EXPECT_EQ(flashes(start, 3), (Seconds{"3", "2", "1"}));
    runUntil(start + 4.5);
    EXPECT_EQ(photoTimes(), std::vector<double>{start + 4});
    ASSERT_TRUE(s.stopBtn);
    EXPECT_EQ(flashes(start + 4, 3), (Seconds{"3", "2", "1"}));
    runUntil(start + 9.5);
    EXPECT_EQ(photoTimes(), (std::vector<double>{start + 4, start + 8}));
    EXPECT_TRUE(s.stopBtn);
    EXPECT_EQ(timedStarts, 1);

    touch(s.stopBtn->stopButton());
    EXPECT_FALSE(s.stopBtn);
    run(30);
    EXPECT_EQ(app.photoCount(), 2);
    EXPECT_EQ(countdown(), "none");
    EXPECT_EQ(bar().cameraMode(), kTimeLapseMode);
}

TEST_F(TimedShootingStory, ATimeLapseGoesOnWhenItsBarIsReopened) {
    chooseTimeLapse(3);
    const double start = pressShutter();
    runUntil(start + 2.5);
    toggleBar();
    EXPECT_TRUE(bar().burstModeBtn->isSelected());
    runUntil(start + 20);
    EXPECT_EQ(app.photoCount(), 4);
    ASSERT_TRUE(s.stopBtn);
    EXPECT_EQ(countdownWindows(), 1);
    touch(s.stopBtn->stopButton());
    run(30);
    EXPECT_EQ(app.photoCount(), 4);
}

// A time lapse given up during a count (deselected, or the self-timer chosen instead) takes that
// count's photo and ends with it: nothing repeats and no stop button is left behind.
TEST_F(TimedShootingStory, ATimeLapseGivenUpDuringACountEndsWithItsPhoto) {
    for (const bool chooseSelfTimer : {false, true}) {
        SCOPED_TRACE(chooseSelfTimer ? "self-timer chosen" : "time lapse deselected");
        const int before = app.photoCount();
        chooseTimeLapse(3);
        const double start = pressShutter();
        runUntil(start + 1.5);
        toggleBar();
        touch(chooseSelfTimer ? bar().timerModeBtn : bar().burstModeBtn);
        ASSERT_FALSE(bar().burstModeBtn->isSelected());
        runUntil(start + 4.5);
        EXPECT_EQ(app.photoCount(), before + 1);
        EXPECT_FALSE(s.stopBtn);
        EXPECT_EQ(countdownWindows(), 0);
        run(30);
        EXPECT_EQ(app.photoCount(), before + 1);
        EXPECT_EQ(timedStarts, chooseSelfTimer ? 2 : 1);
    }
}

// Each way the camera goes away, or leaves photo mode, ends a time lapse as the stop button does.
TEST_F(TimedShootingStory, TheBackgroundAPreviewStopACloseOrAModeSwitchEndTheTimeLapse) {
    using Step = std::function<void(host::CameraApp&)>;
    struct Ending {
        const char* name;
        Step end;
        Step resume;
    };
    const std::vector<Ending> endings{
        {"background", [](host::CameraApp& camera) { camera.enterBackground(); },
         [](host::CameraApp& camera) { camera.enterForeground(); }},
        {"preview stop", [](host::CameraApp& camera) { camera.controller()->stopPreview(); },
         [](host::CameraApp& camera) {
             camera.controller()->startPreview();
             camera.cameraView()->openIrisWithDidFinishSelector(nullptr, 0.3f);
         }},
        {"close", [](host::CameraApp& camera) { camera.close(); },
         [](host::CameraApp& camera) { camera.launch(); }},
        {"video", [](host::CameraApp& camera) { camera.setCameraMode(1); },
         [](host::CameraApp& camera) { camera.setCameraMode(0); }},
        {"panorama", [](host::CameraApp& camera) { camera.setPanorama(true); },
         [](host::CameraApp& camera) { camera.setPanorama(false); }},
    };
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.name);
        const int before = app.photoCount();
        chooseTimeLapse(3);
        const double start = pressShutter();
        runUntil(start + 6);
        EXPECT_EQ(app.photoCount(), before + 1);
        EXPECT_TRUE(s.stopBtn);
        ending.end(app);
        EXPECT_FALSE(s.stopBtn);
        EXPECT_EQ(countdown(), "none");
        run(1);
        EXPECT_EQ(countdownWindows(), 0);
        run(30);
        EXPECT_EQ(app.photoCount(), before + 1);
        EXPECT_FALSE(app.controller()->isRecording());
        ending.resume(app);
        run(1);
    }
}

// The minutes unit holds with the dial open at the press and after it has closed.
TEST_F(TimedShootingStory, AOneMinuteTimeLapseTakesItsPhotosAMinuteApart) {
    for (const bool closeTheBarFirst : {false, true}) {
        SCOPED_TRACE(closeTheBarFirst ? "dial closed" : "dial open");
        const int before = app.photoCount();
        toggleBar();
        choose(bar().burstModeBtn, 1, true);
        if (closeTheBarFirst) {
            toggleBar();
            ASSERT_FALSE(bar().selDial);
        }
        const double start = pressShutter();
        runUntil(start + 59.5);
        EXPECT_EQ(app.photoCount(), before);
        runUntil(start + 4 * 62);
        ASSERT_EQ(app.photoCount(), before + 4);
        const auto times = photoTimes();
        EXPECT_DOUBLE_EQ(times[before], start + 60);
        for (int i = before + 1; i < before + 4; ++i) {
            EXPECT_GE(times[i] - times[i - 1], 60);
            EXPECT_LE(times[i] - times[i - 1], 62);
        }
        touch(s.stopBtn->stopButton());
        run(2);
        ASSERT_EQ(bar().cameraMode(), kTimeLapseMode);
        toggleBar();
        touch(bar().burstModeBtn);
        toggleBar();
    }
}

TEST_F(TimedShootingStory, ASelfTimerWhoseDialClosedBeforeThePressStillWaitsItsDelay) {
    chooseSelfTimer(3);
    toggleBar();
    ASSERT_FALSE(bar().selDial);
    const double start = pressShutter();
    EXPECT_EQ(flashes(start, 3), (Seconds{"3", "2", "1"}));
    EXPECT_EQ(app.photoCount(), 0);
    runUntil(start + 4.5);
    EXPECT_EQ(photoTimes(), std::vector<double>{start + 4});
}

TEST_F(TimedShootingStory, ThePressGoesToTheHostAtOnceOutsideATimedModeAndDuringACount) {
    // Normal photo mode, with the bar open: it closes and the photo is taken.
    toggleBar();
    pressShutter();
    EXPECT_TRUE(s.capturingPhoto);
    EXPECT_FALSE(s.settingsButton->isSelected());
    run(1);
    EXPECT_EQ(app.photoCount(), 1);
    EXPECT_FALSE(s.capturingPhoto);

    // During a count the bar reads mode 1: the press takes a photo and the count goes on.
    chooseSelfTimer(5);
    const double start = pressShutter();
    runUntil(start + 2.5);
    pressShutter();
    run(0.5);
    EXPECT_EQ(app.photoCount(), 2);
    EXPECT_EQ(countdown(), "3");
    runUntil(start + 6.5);
    EXPECT_EQ(app.photoCount(), 3);
    EXPECT_EQ(timedStarts, 1);
    run(1);

    // Video mode: the press starts a recording, whatever the bar's mode.
    app.setCameraMode(1);
    run(1);
    pressShutter();
    EXPECT_TRUE(app.controller()->isRecording());
    EXPECT_FALSE(s.stopBtn);
    EXPECT_EQ(timedStarts, 1);
}

TEST_F(TimedShootingStory, ASecondStartDuringACountReplacesItAndTheBarReopenedStillShoots) {
    chooseSelfTimer(5);
    const double first = pressShutter();
    runUntil(first + 1.5);
    // Reopening the bar puts it back in mode 3 from its button; the next press starts anew.
    toggleBar();
    EXPECT_EQ(bar().cameraMode(), kTimerMode);
    const double second = pressShutter();
    run(0);
    EXPECT_EQ(timedStarts, 2);
    EXPECT_EQ(countdownWindows(), 1);
    EXPECT_EQ(flashes(second, 5), (Seconds{"5", "4", "3", "2", "1"}));
    EXPECT_EQ(app.photoCount(), 0);
    runUntil(second + 6.5);
    EXPECT_EQ(photoTimes(), std::vector<double>{second + 6});
    EXPECT_FALSE(s.stopBtn);
    EXPECT_EQ(countdownWindows(), 0);

    // A bar reopened during a count without a second press: the count still takes its photo.
    const double third = pressShutter();
    runUntil(third + 2.5);
    toggleBar();
    runUntil(third + 6.5);
    EXPECT_EQ(app.photoCount(), 2);
    EXPECT_FALSE(s.stopBtn);
    EXPECT_EQ(countdown(), "none");
}

TEST_F(TimedShootingStory, ACameraClosedBeforeItsPhotoDoesNotKeepTheNextSessionsLock) {
    touch(s.wbLockButton);
    ASSERT_TRUE(s.wbLockButton->isSelected());
    // The press is accepted; the camera closes before its iris does.
    pressShutter();
    EXPECT_TRUE(s.capturingPhoto);
    app.close();
    EXPECT_FALSE(s.capturingPhoto);
    EXPECT_EQ(app.photoCount(), 0);

    app.launch();
    run(1);
    touch(s.wbLockButton);
    ASSERT_TRUE(s.wbLockButton->isSelected());
    app.setCameraMode(1);
    EXPECT_FALSE(s.wbLockButton->isSelected());
    EXPECT_FALSE(s.canWhiteBalance);
}

TEST_F(TimedShootingStory, ADayOfTimeLapseLeavesNoGrowthBehind) {
    const auto& loop = platform::RunLoop::main();
    chooseTimeLapse(5);
    run(3);
    // The open dial goes with the press; nothing else is left of the shot once it is stopped.
    const std::size_t windowsBefore = screen().windows().size() - 1;
    const std::size_t pendingBefore = loop.pendingCount();

    const double start = pressShutter();
    // Measured halfway between two photos, once early and once a day later.
    runUntil(start + 6 * 10 + 3);
    const std::size_t windowsCounting = screen().windows().size();
    const std::size_t pendingCounting = loop.pendingCount();
    constexpr double kDay = 24 * 60 * 60;
    // Photo by photo, forgetting the animations that ended, as a long simulator run does.
    for (double photo = 11; photo <= kDay / 6; ++photo) {
        runUntil(start + photo * 6 + 3);
        platform::AnimationLog::shared().discardEndedBefore(now());
    }
    EXPECT_EQ(app.photoCount(), static_cast<int>(kDay / 6));
    EXPECT_EQ(screen().windows().size(), windowsCounting);
    EXPECT_EQ(loop.pendingCount(), pendingCounting);
    EXPECT_EQ(timedStarts, 1);

    touch(s.stopBtn->stopButton());
    run(3);
    EXPECT_EQ(screen().windows().size(), windowsBefore);
    EXPECT_EQ(loop.pendingCount(), pendingBefore);
    EXPECT_EQ(app.photoCount(), static_cast<int>(kDay / 6));
}

}  // namespace
}  // namespace snapforge::testing
