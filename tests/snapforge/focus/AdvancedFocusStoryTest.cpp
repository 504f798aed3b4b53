#include "snapforge/CameraStory.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"

namespace snapforge {
namespace {

using platform::CGPoint;
using testing::CameraStory;

CGPoint origin(const std::shared_ptr<ReticleView>& reticle) {
    return reticle->frame().origin;
}

TEST_F(CameraStory, AdvancedFocusFromOpeningToLockAndUnlock) {
    launch();
    ASSERT_EQ(installedHookCount(), 30);
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_FALSE(s.focusView->isHidden());
    EXPECT_FALSE(s.exposureView->isHidden());
    EXPECT_EQ(origin(s.focusView), (CGPoint{115, 195}));
    EXPECT_EQ(origin(s.exposureView), (CGPoint{115, 195}));

    // A tap away from the reticles brings both to the finger and sets both points there.
    tap({200, 300});
    EXPECT_EQ(origin(s.focusView), (CGPoint{160, 260}));
    EXPECT_EQ(origin(s.exposureView), (CGPoint{160, 260}));
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{0.625f, 0.625f}));
    EXPECT_EQ(device().exposurePointOfInterest(), (CGPoint{0.625f, 0.625f}));
    EXPECT_FALSE(s.touchDirectObject);

    // Dragging the exposure reticle moves only it and sets only the exposure point.
    drag({205, 305}, {100, 200});
    EXPECT_EQ(origin(s.exposureView), (CGPoint{55, 155}));
    EXPECT_EQ(origin(s.focusView), (CGPoint{160, 260}));
    EXPECT_EQ(device().exposurePointOfInterest(), (CGPoint{100.0f / 320, 200.0f / 480}));
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{0.625f, 0.625f}));

    // A long press locks the focus reticle and the host holds focus.
    hold({205, 305}, 1.0);
    EXPECT_TRUE(s.focusView->isLocked());
    EXPECT_FALSE(s.focusView->lockImageView()->isHidden());
    EXPECT_FALSE(s.exposureView->isLocked());
    auto lock = app.controller()->lastLockRequest();
    ASSERT_TRUE(lock);
    EXPECT_TRUE(lock->focus);
    EXPECT_FALSE(lock->exposure);
    EXPECT_EQ(origin(s.focusView), (CGPoint{160, 260}));

    // The first opening of the bar replays the remembered advanced mode: reticles, locks and the
    // camera stay as they are.
    toggleBar();
    EXPECT_TRUE(s.focusView->isLocked());
    EXPECT_EQ(origin(s.focusView), (CGPoint{160, 260}));
    EXPECT_EQ(origin(s.exposureView), (CGPoint{55, 155}));
    EXPECT_TRUE(app.controller()->lastLockRequest()->focus);
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{0.625f, 0.625f}));

    // A later plain tap unlocks it.
    tap({100, 200});
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_FALSE(app.controller()->lastLockRequest()->focus);

    // Advanced mode off and on again brings the reticles home unlocked, and the camera follows:
    // nothing held, both points at the centre the reticles now mark.
    hold(centreOf(*s.focusView), 1.0);
    ASSERT_TRUE(s.focusView->isLocked());
    touch(s.cameraBar->normalModeBtn);
    touch(s.cameraBar->normalModeBtn);
    ASSERT_TRUE(s.UseAdvancedCamera);
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_EQ(origin(s.focusView), (CGPoint{115, 195}));
    EXPECT_EQ(origin(s.exposureView), (CGPoint{115, 195}));
    EXPECT_FALSE(app.controller()->lastLockRequest()->focus);
    EXPECT_FALSE(app.controller()->lastLockRequest()->exposure);
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{0.5f, 0.5f}));
    EXPECT_EQ(device().exposurePointOfInterest(), (CGPoint{0.5f, 0.5f}));
    EXPECT_EQ(device().focusMode(), 2);
    EXPECT_EQ(device().exposureMode(), 2);
}

TEST_F(CameraStory, TheWhiteBalanceLockHoldsTheHostsWhiteBalance) {
    launch();
    ASSERT_TRUE(s.wbLockButton);
    ASSERT_FALSE(s.wbLockButton->isHidden());
    touch(s.wbLockButton);
    EXPECT_TRUE(s.wbLockButton->isSelected());
    EXPECT_EQ(device().whiteBalanceMode(), 0);
    const int hostWhiteBalancing = app.controller()->hostCallCount("_whiteBalanceStarted");
    app.controller()->_whiteBalanceStarted();
    EXPECT_EQ(app.controller()->hostCallCount("_whiteBalanceStarted"), hostWhiteBalancing);

    touch(s.wbLockButton);
    EXPECT_FALSE(s.wbLockButton->isSelected());
    EXPECT_EQ(device().whiteBalanceMode(), 2);
    EXPECT_TRUE(s.canWhiteBalance);
}

TEST_F(CameraStory, TheHostsTapToFocusGivesWayToAdvancedMode) {
    launch();
    const int refusedBefore = app.controller()->autofocusCount();
    tap({60, 100});
    EXPECT_FALSE(app.controller()->isFocusAllowed());
    EXPECT_EQ(app.controller()->autofocusCount(), refusedBefore);
    EXPECT_FALSE(app.cameraView()->shouldShowFocus());

    app.setPanorama(true);
    run(1);
    EXPECT_FALSE(s.UseAdvancedCamera);
    EXPECT_TRUE(app.controller()->isFocusAllowed());
    EXPECT_TRUE(app.cameraView()->shouldShowFocus());
    EXPECT_TRUE(s.focusView->isHidden());
}

TEST_F(CameraStory, TouchesOnTheHostsBottomBarMoveNoReticle) {
    launch();
    const float barTop = 480.0f - static_cast<float>(s.kCameraButtonBarHeight);
    ASSERT_GT(s.kCameraButtonBarHeight, 0);
    tap({300, barTop + 5});
    EXPECT_EQ(origin(s.exposureView), (CGPoint{115, 195}));
    EXPECT_EQ(s.orientationOffsetPt, (CGPoint{260, barTop - 35}));
}

class CameraWithoutContinuousExposure : public CameraStory {
protected:
    static platform::DeviceProfile profile() {
        auto profile = host::deviceProfile("iPhone4,1");
        host::setCapability(profile.capture, "exposure-continuous", false);
        return profile;
    }
    CameraWithoutContinuousExposure() : CameraStory(profile()) {}
};

TEST_F(CameraWithoutContinuousExposure, ShowsOnlyTheFocusReticle) {
    launch();
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_FALSE(s.focusView->isHidden());
    EXPECT_TRUE(s.exposureView->isHidden());
    EXPECT_TRUE(s.canExpose);
    EXPECT_FALSE(s.canFocus);
    tap({200, 300});
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{0.625f, 0.625f}));
    EXPECT_EQ(device().exposurePointOfInterest(), (CGPoint{0.5f, 0.5f}));
}

}  // namespace
}  // namespace snapforge
