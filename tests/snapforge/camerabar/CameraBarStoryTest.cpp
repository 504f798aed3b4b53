// The camera bar as a user meets it: the settings button opens and closes it, its mode buttons
// switch modes with a fading message, and the dial sets the timed values.
#include <gtest/gtest.h>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UILabel.h"
#include "sim/ViewInspection.h"
#include "snapforge/CameraStory.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/prefs/PreferenceButton.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/prefs/PreferencesFile.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/prefs/Tools.h"
#include "snapforge/timed/SelectorDial.h"

namespace snapforge::testing {
namespace {

class CameraBarStory : public CameraStory {
protected:
    CameraBarStory() {
        app.setCapability("focus-continuous", true);
        app.setCapability("exposure-continuous", true);
        launch();
    }

    void openBar() { toggleBar(); }
    CameraBarEx& bar() { return *s.cameraBar; }
};

TEST_F(CameraBarStory, TheSettingsButtonOpensTheBarAndAReopeningOvertakesTheFade) {
    EXPECT_FALSE(s.cameraBar);
    openBar();
    ASSERT_TRUE(s.cameraBar);
    EXPECT_TRUE(s.settingsButton->isSelected());
    EXPECT_FALSE(bar().isHidden());
    EXPECT_FLOAT_EQ(bar().alpha(), 1);
    EXPECT_EQ(bar().cameraMode(), kNormalMode);
    EXPECT_TRUE(bar().normalModeBtn->isSelected());
    EXPECT_EQ(bar().frame(), platform::CGRectMake(0, 312, 320, 80));
    EXPECT_EQ(bar().windowLevel(), 1999);
    ASSERT_TRUE(s.prefButton);
    EXPECT_FALSE(s.prefButton->isHidden());
    EXPECT_FLOAT_EQ(s.prefButton->alpha(), 1);

    // Closing fades the bar out over 0.3 s; the button shows it closed at once.
    touch(s.settingsButton);
    EXPECT_FALSE(s.settingsButton->isSelected());
    EXPECT_TRUE(platform::AnimationLog::shared().animated(s.cameraBar.get(), "alpha", "", 0.3));
    run(0.5);
    EXPECT_TRUE(bar().isHidden());
    EXPECT_TRUE(s.prefButton->isHidden());

    // A second touch during the fade leaves bar, preference button and selector fully shown.
    openBar();
    touch(s.settingsButton);
    run(0.1);
    touch(s.settingsButton);
    run(1);
    EXPECT_FALSE(bar().isHidden());
    EXPECT_FLOAT_EQ(bar().alpha(), 1);
    EXPECT_FALSE(s.prefButton->isHidden());
    EXPECT_FLOAT_EQ(s.prefButton->alpha(), 1);
    EXPECT_FLOAT_EQ(bar().overlayBtn->alpha(), 1);

    // An open dial comes through such a reopening with the value and unit left on it.
    touch(bar().burstModeBtn);
    ASSERT_TRUE(bar().selDial);
    touch(bar().selDial->changeTimeBtn());
    touch(bar().selDial->plusBtn());
    ASSERT_EQ(bar().selDial->time(), 6);
    touch(s.settingsButton);
    run(0.1);
    touch(s.settingsButton);
    run(1);
    ASSERT_TRUE(bar().selDial);
    EXPECT_FLOAT_EQ(bar().selDial->alpha(), 1);
    EXPECT_EQ(bar().selDial->time(), 6);
    EXPECT_EQ(bar().selDial->timeType(), SelectorDial::kMinutes);
}

TEST_F(CameraBarStory, SelfTimerAndTimeLapseExcludeEachOtherAndKeepTheEditedValue) {
    openBar();
    touch(bar().timerModeBtn);
    run(0.1);
    EXPECT_EQ(bar().cameraMode(), kTimerMode);
    ASSERT_TRUE(bar().selDial);
    EXPECT_EQ(bar().selDial->selectorType(), SelectorDial::kTimerKind);
    EXPECT_EQ(bar().selDial->time(), 5);
    EXPECT_TRUE(bar().selDial->changeTimeBtn()->isHidden());
    EXPECT_EQ(messagesOnScreen(), std::vector<std::string>{"Timer Mode"});

    touch(bar().selDial->plusBtn());
    touch(bar().selDial->plusBtn());
    EXPECT_EQ(bar().selDial->time(), 7);

    // Switching to the time lapse keeps 7 for the timer and loads the time-lapse value.
    const auto dial = bar().selDial;
    touch(bar().burstModeBtn);
    EXPECT_TRUE(bar().burstModeBtn->isSelected());
    EXPECT_FALSE(bar().timerModeBtn->isSelected());
    EXPECT_EQ(bar().cameraMode(), kTimeLapseMode);
    EXPECT_EQ(bar().selDial, dial);
    EXPECT_EQ(bar().timerTime, 7);
    EXPECT_EQ(dial->selectorType(), SelectorDial::kTimeLapseKind);
    EXPECT_EQ(dial->time(), 5);
    EXPECT_FALSE(dial->changeTimeBtn()->isHidden());

    touch(dial->changeTimeBtn());
    ASSERT_EQ(dial->timeType(), SelectorDial::kMinutes);

    // Back to the timer: it shows 7 again, in seconds.
    touch(bar().timerModeBtn);
    EXPECT_EQ(dial->time(), 7);
    EXPECT_EQ(dial->timeType(), SelectorDial::kSeconds);
    EXPECT_FALSE(bar().burstModeBtn->isSelected());

    // The time lapse comes back in the minutes it was given.
    touch(bar().burstModeBtn);
    EXPECT_EQ(dial->time(), 5);
    EXPECT_EQ(dial->timeType(), SelectorDial::kMinutes);
    touch(bar().timerModeBtn);

    // Deselecting it closes the dial and falls back to mode 1.
    touch(bar().timerModeBtn);
    EXPECT_EQ(bar().cameraMode(), kNormalMode);
    run(1);
    EXPECT_FALSE(bar().selDial);
    EXPECT_EQ(s._timerTime, 7);
}

TEST_F(CameraBarStory, AMessageFadesInAndOutThenIsGone) {
    openBar();
    touch(bar().normalModeBtn);
    EXPECT_FALSE(s.UseAdvancedCamera);
    std::shared_ptr<platform::UIWindow> label;
    for (const auto& window : screen().visibleWindows()) {
        if (dynamic_cast<MessageLabel*>(window.get()) != nullptr) {
            label = window;
        }
    }
    ASSERT_TRUE(label);
    EXPECT_EQ(std::dynamic_pointer_cast<MessageLabel>(label)->text(), "Normal Mode");
    EXPECT_TRUE(platform::AnimationLog::shared().animated(label.get(), "alpha", "", 0.95));
    const std::weak_ptr<platform::UIWindow> gone = label;
    label.reset();
    run(1.0);
    EXPECT_TRUE(platform::AnimationLog::shared().animated(gone.lock().get(), "alpha", "", 0.5));
    run(0.6);
    EXPECT_TRUE(gone.expired());
    EXPECT_TRUE(messagesOnScreen().empty());

    touch(bar().normalModeBtn);
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_EQ(messagesOnScreen(), std::vector<std::string>{"Advanced Mode"});
}

TEST_F(CameraBarStory, VideoModeShowsTheVideoControlsAndAdvancedVideoClosesTheBar) {
    app.setCameraMode(1);
    run(1);
    openBar();
    EXPECT_TRUE(bar().exposureFocusBtn);
    EXPECT_EQ(bar().exposureFocusBtn->superview(), s.cameraBar.get());
    EXPECT_EQ(bar().normalModeBtn, nullptr);
    EXPECT_EQ(bar().resolutionBtn->superview(), s.cameraBar.get());

    // The frame-rate button opens the dial in frames per second.
    touch(bar().fpsBtn);
    ASSERT_TRUE(bar().selDial);
    EXPECT_EQ(bar().selDial->selectorType(), SelectorDial::kFrameRateKind);
    EXPECT_EQ(bar().selDial->time(), 30);
    EXPECT_EQ(bar().selDial->unitLabel()->text(), "fps");
    EXPECT_FALSE(bar().selDial->okBtn()->isHidden());

    // With the dial open advanced video changes the mode and keeps the bar and the dial's unit.
    touch(bar().exposureFocusBtn);
    EXPECT_TRUE(s.UseAdvancedCamera);
    run(1);
    EXPECT_FALSE(bar().isHidden());
    EXPECT_EQ(bar().selDial->unitLabel()->text(), "fps");

    // Without the dial it fades the bar out over 0.6 s.
    touch(bar().fpsBtn);
    run(1);
    EXPECT_FALSE(bar().selDial);
    touch(bar().exposureFocusBtn);
    EXPECT_FALSE(s.UseAdvancedCamera);
    EXPECT_FALSE(s.settingsButton->isSelected());
    EXPECT_TRUE(platform::AnimationLog::shared().animated(s.cameraBar.get(), "alpha", "", 0.6));
    run(1);
    EXPECT_TRUE(bar().isHidden());
}

TEST_F(CameraBarStory, ADialReopenedDuringItsFadeOutSurvivesIt) {
    openBar();
    touch(bar().timerModeBtn);
    touch(bar().timerModeBtn);
    run(0.2);
    touch(bar().timerModeBtn);
    run(1);
    ASSERT_TRUE(bar().selDial);
    EXPECT_FALSE(bar().selDial->isHidden());
    EXPECT_FLOAT_EQ(bar().selDial->alpha(), 1);
}

// Freed at once, with no fade of its own pending (the background heard before any preview stop),
// a bar still hands the value on its open dial to the library and the saved file.
TEST_F(CameraBarStory, ABarFreedWithItsDialOpenKeepsTheDialsValue) {
    s.rememberSettings = true;
    openBar();
    touch(bar().timerModeBtn);
    ASSERT_TRUE(bar().selDial);
    for (int press = 0; press < 3; ++press) {
        touch(bar().selDial->plusBtn());
    }
    ASSERT_EQ(bar().selDial->time(), 8);
    run(1);
    const std::weak_ptr<CameraBarEx> weakBar = s.cameraBar;
    platform::NSNotificationCenter::defaultCenter().postNotification(
        platform::UIApplicationDidEnterBackgroundNotification);
    EXPECT_TRUE(weakBar.expired());
    EXPECT_EQ(s._timerTime, 8);
    const auto saved = preferencesOnDisk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(Tools::intForKey("timerTime", 0, saved.get()), 8);
}

TEST_F(CameraBarStory, OnePressOfSetActsOnce) {
    app.setCameraMode(1);
    run(1);
    openBar();
    touch(bar().fpsBtn);
    touch(bar().exposureFocusBtn);
    touch(bar().exposureFocusBtn);
    touch(bar().fpsBtn);
    touch(bar().fpsBtn);
    ASSERT_TRUE(bar().selDial);
    EXPECT_EQ(bar()
                  .selDial->okBtn()
                  ->actionsForTarget(s.cameraBar.get(), platform::UIControlEventTouchUpInside)
                  .size(),
              1u);
}

TEST_F(CameraBarStory, ARememberedAdvancedVideoModeOnANewBarStillOpensIt) {
    s._tmpAdvVideoSelected = true;
    app.setCameraMode(1);
    run(1);
    openBar();
    EXPECT_TRUE(s.settingsButton->isSelected());
    EXPECT_FALSE(bar().isHidden());
    EXPECT_EQ(bar().cameraMode(), kAdvancedVideoMode);
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_TRUE(messagesOnScreen().empty());
}

TEST_F(CameraBarStory, TheBackgroundTearsTheBarDownAndLeavesNothingBehind) {
    const auto& centre = platform::NSNotificationCenter::defaultCenter();
    const auto observersBefore = centre.observerCount();
    for (int round = 0; round < 3; ++round) {
        openBar();
        if (round == 0) {
            // Two presses save the preferences; the next preview start loads them.
            touch(bar().normalModeBtn);
            touch(bar().normalModeBtn);
            handlePrefs();
            ASSERT_TRUE(s.prefsDictionary);
        }
        touch(bar().timerModeBtn);
        const std::weak_ptr<CameraBarEx> weakBar = s.cameraBar;
        app.enterBackground();
        run(1);
        EXPECT_FALSE(s.cameraBar);
        EXPECT_FALSE(s.UseAdvancedCamera);
        EXPECT_TRUE(s.prefsDictionary);
        // The preview stops first, which takes the bar out of timed shooting.
        EXPECT_EQ(s.currentCameraMode, kNormalMode);
        EXPECT_TRUE(weakBar.expired());
        EXPECT_EQ(centre.observerCount(), observersBefore);
        app.enterForeground();
        run(1);
    }
    std::size_t libraryWindows = 0;
    for (const auto& window : screen().windows()) {
        libraryWindows += window->windowLevel() >= 1999 ? 1 : 0;
    }
    EXPECT_LE(libraryWindows, 1u);  // at most the preference button of the last bar
}

TEST_F(CameraBarStory, AnIrisCloseHidesTheBarAndASwitchPassesTheModeOn) {
    openBar();
    app.setCameraMode(1);
    EXPECT_EQ(bar().cameraControllerMode(), 1);
    EXPECT_FALSE(s.settingsButton->isSelected());
    run(1);
    EXPECT_TRUE(bar().isHidden());
    openBar();
    EXPECT_EQ(bar().fpsBtn->superview(), s.cameraBar.get());
    EXPECT_EQ(bar().timerModeBtn->superview(), nullptr);
}

TEST_F(CameraBarStory, WithABarItsNormalModeButtonDecidesWhetherTouchesWorkTheReticles) {
    openBar();
    touch(bar().normalModeBtn);
    ASSERT_FALSE(s.UseAdvancedCamera);
    s._tmpAdvPhotoSelected = true;  // the bar's button, not the choice in force, decides
    tap({200, 200});
    run(1);
    EXPECT_FALSE(s.UseAdvancedCamera);
    EXPECT_EQ(s.focusView->frame().origin, (platform::CGPoint{115, 195}));

    touch(bar().normalModeBtn);
    touch(s.settingsButton);
    run(1);
    tap({200, 200});
    run(1);
    EXPECT_EQ(s.focusView->frame().origin, (platform::CGPoint{160, 160}));
}

// On every screen the library's controls lie clear of the host's bar and of each other.
class ControlsOnEveryScreen : public CameraStory,
                              public ::testing::WithParamInterface<const char*> {
protected:
    ControlsOnEveryScreen() : CameraStory(host::deviceProfile(GetParam())) { launch(); }

    static platform::CGRect onScreen(const platform::UIView& view) {
        const auto bounds = view.bounds();
        const auto origin = view.convertPointToScreen(bounds.origin);
        return platform::CGRectMake(origin.x, origin.y, bounds.size.width, bounds.size.height);
    }
    bool smallScreen() const { return screen().bounds().size.height == 480; }
};

TEST_P(ControlsOnEveryScreen, NoneCoversAnother) {
    const auto hostBar = onScreen(*app.cameraView()->buttonBar());
    const auto whiteBalance = onScreen(*s.wbLockButton);
    EXPECT_FALSE(platform::CGRectIntersectsRect(whiteBalance, hostBar));
    EXPECT_FLOAT_EQ(s.wbLockButton->frame().origin.y, smallScreen() ? 353 : 370);

    toggleBar();
    touch(s.cameraBar->burstModeBtn);
    ASSERT_TRUE(s.cameraBar->selDial);
    const auto& bar = *s.cameraBar;
    const auto& dial = *bar.selDial;
    const auto preference = onScreen(*s.prefButton);
    const std::shared_ptr<platform::UIView> controls[] = {
        bar.normalModeBtn, bar.burstModeBtn, bar.timerModeBtn, bar.overlayBtn,
        dial.plusBtn(),    dial.minusBtn(),  dial.okBtn(),     dial.changeTimeBtn(),
    };
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        EXPECT_FALSE(platform::CGRectIntersectsRect(preference, onScreen(*controls[i])))
            << "control " << i;
    }
    EXPECT_EQ(preference, smallScreen() ? platform::CGRectMake(175, 115, 138, 31)
                                        : platform::CGRectMake(175, 320, 138, 31));

    // The upper half of the self-timer button is the self-timer's.
    if (smallScreen()) {
        tap({198, 325});
        EXPECT_TRUE(s.cameraBar->timerModeBtn->isSelected());
        EXPECT_FALSE(s.settingsPanel);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ControlsOnEveryScreen,
                         ::testing::Values("iPhone4,1", "iPhone5,1", "iPad3,1"));

}  // namespace
}  // namespace snapforge::testing
