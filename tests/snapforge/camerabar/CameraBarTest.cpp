// The camera bar on its own: what it is built from, how it lays out, and the dial's values.
#include <gtest/gtest.h>

#include <limits>

#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "snapforge/LibraryFixture.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/prefs/PreferencesFile.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/SelectorDial.h"

namespace snapforge::testing {
namespace {

using platform::NSMutableDictionary;

class CameraBarTest : public LibraryFixture {
protected:
    std::shared_ptr<CameraBarEx> makeBar(int controllerMode,
                                         std::shared_ptr<NSMutableDictionary> prefs = nullptr) {
        if (!prefs) {
            prefs = NSMutableDictionary::create();
        }
        return CameraBarEx::create(platform::CGRectMake(0, 312, 320, 80), *prefs, controllerMode);
    }
    static void run(double seconds) { platform::RunLoop::main().runFor(seconds); }
};

TEST_F(CameraBarTest, ANewBarTakesItsChoicesFromTheDictionaryButNeverStartsTimed) {
    const auto bar = makeBar(0);
    EXPECT_EQ(bar->overlayIndex, 3);
    EXPECT_EQ(bar->guideIndex, 3);
    EXPECT_EQ(bar->resolutionIndex, 1);
    EXPECT_EQ(bar->timerTime, 5);
    EXPECT_EQ(bar->timeLapseTime, 5);
    EXPECT_EQ(bar->frameRateTime, 30);
    EXPECT_EQ(bar->timeType, SelectorDial::kSeconds);
    EXPECT_TRUE(bar->advPhotoSelected);
    EXPECT_FALSE(bar->advVideoSelected || bar->overlaySelected || bar->resolutionSelected ||
                 bar->guideSelected);
    EXPECT_EQ(bar->cameraMode(), kNormalMode);
    EXPECT_TRUE(bar->normalModeBtn->isSelected());
    EXPECT_EQ(bar->windowLevel(), 1999);

    auto prefs = NSMutableDictionary::create();
    prefs->setObject(true, "timerSelected");
    prefs->setObject(true, "timeLapseSelected");
    prefs->setObject(true, "frameRateSelected");
    prefs->setObject(7, "overlayIndex");
    const auto video = makeBar(1, prefs);
    EXPECT_FALSE(video->timerSelected || video->timeLapseSelected || video->frameRateSelected);
    EXPECT_EQ(video->overlayIndex, 7);
    EXPECT_EQ(video->cameraMode(), kNoMode);
}

TEST_F(CameraBarTest, EachControlIsMadeOnceAndOnlyTheModesControlsAreOnTheBar) {
    const auto bar = makeBar(0);
    const auto normal = bar->normalModeBtn;
    EXPECT_EQ(normal->frame(), platform::CGRectMake(8, 7, 77, 60));
    EXPECT_EQ(bar->overlayBtn->frame(), platform::CGRectMake(236, 7, 77, 60));
    EXPECT_FALSE(bar->exposureFocusBtn);

    bar->setCameraControllerMode(1);
    bar->setupButtons();
    EXPECT_EQ(normal->superview(), nullptr);
    EXPECT_EQ(bar->fpsBtn->superview(), bar.get());
    EXPECT_EQ(bar->resolutionBtn->frame(), platform::CGRectMake(160, 7, 77, 60));

    bar->advPhotoSelected = false;
    bar->setCameraControllerMode(0);
    bar->setupButtons();
    EXPECT_EQ(bar->normalModeBtn, normal);
    EXPECT_EQ(normal->superview(), bar.get());
    EXPECT_FALSE(normal->isSelected());
    EXPECT_EQ(bar->fpsBtn->superview(), nullptr);

    bar->setCameraControllerMode(2);
    bar->setupButtons();
    EXPECT_EQ(bar->prevCameraControllerMode, 2);
    EXPECT_EQ(normal->superview(), bar.get());
}

TEST_F(CameraBarTest, TheDialCountsInTheUnitsItsCallersCountIn) {
    const auto bar = makeBar(0);
    EXPECT_FALSE(bar->isSelDialVisible());
    bar->selDial = SelectorDial::create(platform::CGRectMake(60, 150, 200, 152));
    EXPECT_FALSE(bar->isSelDialVisible());  // a new dial is hidden

    bar->selDial->setSelectorType(SelectorDial::kTimeLapseKind);
    bar->selDial->setTimeType(SelectorDial::kMinutes);
    bar->selDial->setTime(3);
    EXPECT_EQ(bar->getTimerSeconds(), 180);
    EXPECT_EQ(bar->timeLapseTime, 3);
    bar->selDial->setTimeType(SelectorDial::kSeconds);
    EXPECT_EQ(bar->getTimerSeconds(), 4);
    bar->selDial->setSelectorType(SelectorDial::kTimerKind);
    bar->selDial->setTime(10);
    EXPECT_EQ(bar->getTimerSeconds(), 11);
    EXPECT_EQ(bar->timerTime, 10);

    // Without a dial: a chosen self-timer still counts its delay, and a time lapse in minutes
    // keeps its unit.
    bar->selDial.reset();
    bar->timerSelected = true;
    EXPECT_EQ(bar->getTimerSeconds(), 11);
    bar->timerSelected = false;
    bar->setCameraMode(kTimeLapseMode);
    bar->timeLapseTime = 2;
    bar->timeType = SelectorDial::kMinutes;
    EXPECT_EQ(bar->getTimerSeconds(), 120);
    bar->timeType = SelectorDial::kSeconds;
    EXPECT_EQ(bar->getTimerSeconds(), 2);
    bar->setCameraControllerMode(1);
    EXPECT_EQ(bar->getTimerSeconds(), 31);

    // Times a damaged preferences file made huge count to a bound that a repeat's extra tick
    // cannot overflow.
    constexpr int kMost = std::numeric_limits<int>::max();
    bar->frameRateTime = kMost;
    EXPECT_EQ(bar->getTimerSeconds(), kMost - 1);
    bar->setCameraControllerMode(0);
    bar->timeLapseTime = kMost;
    bar->timeType = SelectorDial::kMinutes;
    EXPECT_EQ(bar->getTimerSeconds(), kMost - 1);
    bar->timeLapseTime = std::numeric_limits<int>::min();
    EXPECT_EQ(bar->getTimerSeconds(), -kMost);
}

TEST_F(CameraBarTest, ClosingADialShowingZeroCopiesNothingAndSavesNothing) {
    const auto bar = makeBar(0);
    s.DISABLE_SAVE = false;
    s.rememberSettings = true;
    bar->timeType = SelectorDial::kMinutes;
    bar->selDial = SelectorDial::create(platform::CGRectMake(60, 150, 200, 152));
    bar->selDial->setSelectorType(SelectorDial::kTimerKind);
    bar->selDial->setTime(0);
    bar->removeSelDial();
    EXPECT_EQ(bar->timeType, SelectorDial::kMinutes);
    EXPECT_EQ(bar->timerTime, 0);
    EXPECT_EQ(s._timerTime, 5);
    run(1);
    EXPECT_FALSE(bar->selDial);
    EXPECT_FALSE(preferencesOnDisk());
}

TEST_F(CameraBarTest, ReplayingRememberedModesInPhotoModeLeavesModeZeroUntilTheButtonsDecide) {
    s._tmpAdvPhotoSelected = true;
    s._tmpAdvVideoSelected = true;
    createCameraBar();
    ASSERT_TRUE(s.cameraBar);
    EXPECT_TRUE(s.cameraBar->normalModeBtn->isSelected());
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_EQ(s.cameraBar->cameraMode(), kNoMode);
    EXPECT_FALSE(s.skipSavePrefs);
    s.cameraBar->restoreCameraModeBySelectedButton();
    EXPECT_EQ(s.cameraBar->cameraMode(), kNormalMode);
    // Saving is off on this device: no preference button, and the bar still shows.
    EXPECT_FALSE(s.prefButton);
    showCameraBar();
    EXPECT_FALSE(s.cameraBar->isHidden());
}

TEST_F(CameraBarTest, AFreedBarNoLongerHearsTheBackground) {
    auto& centre = platform::NSNotificationCenter::defaultCenter();
    const auto before = centre.observerCount();
    createCameraBar();
    EXPECT_EQ(centre.observerCount(), before + 1);
    s.cameraBar.reset();
    EXPECT_EQ(centre.observerCount(), before);
    centre.postNotification(platform::UIApplicationDidEnterBackgroundNotification);
}

TEST_F(CameraBarTest, APreviewStopTakesTheBarOutOfTimedShooting) {
    createCameraBar();
    auto& bar = *s.cameraBar;
    bar.timerModeBtn->setSelected(true);
    bar.setCameraMode(kTimerMode);
    clearVariables();
    EXPECT_EQ(bar.cameraMode(), kNormalMode);
    EXPECT_FALSE(bar.timerModeBtn->isSelected());
    EXPECT_FALSE(bar.burstModeBtn->isSelected());
}

}  // namespace
}  // namespace snapforge::testing
