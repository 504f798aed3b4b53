#include "host/SimCameraController.h"
#include "snapforge/CameraStory.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"

namespace snapforge {
namespace {

using host::SimCameraController;
using platform::CGPoint;
using testing::CameraStory;

using Lock = SimCameraController::LockRequest;

class ReticleTouches : public CameraStory {
protected:
    ReticleTouches() {
        launch();
        // The focus reticle to the left, the exposure reticle to the right, apart.
        s.focusView->setFrame(platform::CGRectMake(20, 100, 90, 90));
        s.exposureView->setFrame(platform::CGRectMake(200, 100, 90, 90));
    }

    static constexpr CGPoint kOnFocus{65, 145};
    static constexpr CGPoint kOnExposure{245, 145};
};

TEST_F(ReticleTouches, ATouchOnOneReticleSetsOnlyItsPoint) {
    drag(kOnExposure, {245, 300});
    EXPECT_EQ(s.exposureView->frame().origin, (CGPoint{200, 255}));
    EXPECT_EQ(device().exposurePointOfInterest(), (CGPoint{245.0f / 320, 300.0f / 480}));
    EXPECT_EQ(s.focusView->frame().origin, (CGPoint{20, 100}));
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{0.5f, 0.5f}));

    tap(kOnFocus);
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{65.0f / 320, 145.0f / 480}));
    EXPECT_EQ(device().exposurePointOfInterest(), (CGPoint{245.0f / 320, 300.0f / 480}));
    // The focus reticle pulses, then rests at its own size; a plain tap on a reticle gathers
    // both under the finger.
    EXPECT_TRUE(platform::AnimationLog::shared().animated(s.focusView.get(), "transform", "", 0.5));
    run(1);
    EXPECT_TRUE(platform::CGAffineTransformIsIdentity(s.focusView->transform()));
    EXPECT_EQ(s.focusView->frame().origin, (CGPoint{25, 105}));
    EXPECT_EQ(s.exposureView->frame().origin, (CGPoint{25, 105}));
}

TEST_F(ReticleTouches, DraggingALockedReticleUnlocksItAtOnce) {
    hold(kOnExposure, 1);
    ASSERT_TRUE(s.exposureView->isLocked());
    EXPECT_EQ(app.controller()->lastLockRequest(), (Lock{false, true, false}));
    screen().touchDown(kOnExposure);
    run(0.05);
    screen().touchMove({250, 150});
    EXPECT_FALSE(s.exposureView->isLocked());
    EXPECT_EQ(app.controller()->lastLockRequest(), (Lock{true, true, false}));
    screen().touchUp({250, 150});
    run(0.05);
}

// Every hold request the host hears, in order.
std::vector<Lock> lockRequests;
void (*hostLockFocus)(platform::id, platform::SEL, bool, bool, bool) = nullptr;
void recordLockFocus(platform::id self, platform::SEL cmd, bool focus, bool exposure, bool wb) {
    lockRequests.push_back({focus, exposure, wb});
    hostLockFocus(self, cmd, focus, exposure, wb);
}

TEST_F(ReticleTouches, APlainTapUnlocksExposureFirstThenFocus) {
    platform::MSHookMessageEx(platform::objc_getClass("PLCameraController"), host::sel::_lockFocus,
                              recordLockFocus, &hostLockFocus);
    hold(kOnExposure, 1);
    hold(kOnFocus, 1);
    ASSERT_TRUE(s.exposureView->isLocked() && s.focusView->isLocked());
    lockRequests.clear();

    tap({160, 330});
    EXPECT_FALSE(s.exposureView->isLocked());
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_EQ(lockRequests, (std::vector<Lock>{{true, false, false}, {false, false, false}}));
}

TEST_F(ReticleTouches, ATapOnTheHostsBarAimsNothingButStillUnlocks) {
    hold(kOnExposure, 1);
    ASSERT_TRUE(s.exposureView->isLocked());
    ASSERT_TRUE(s.touchDirectObject);
    run(1);
    const auto focusPoint = device().focusPointOfInterest();
    const auto exposurePoint = device().exposurePointOfInterest();
    const auto focusFrame = s.focusView->frame();
    platform::AnimationLog::shared().clear();

    // Beside the shutter, on the bar, with the last touch's direct grab still on record.
    tap({20, 460});
    EXPECT_TRUE(s.touchBeganOnButtonBar);
    EXPECT_FALSE(s.exposureView->isLocked());
    EXPECT_EQ(device().focusPointOfInterest(), focusPoint);
    EXPECT_EQ(device().exposurePointOfInterest(), exposurePoint);
    EXPECT_FALSE(
        platform::AnimationLog::shared().animated(s.focusView.get(), "transform", "", 0.5));
    EXPECT_EQ(s.focusView->frame(), focusFrame);

    // The next touch on the preview aims again.
    tap({160, 200});
    EXPECT_FALSE(s.touchBeganOnButtonBar);
    EXPECT_EQ(device().focusPointOfInterest(), (CGPoint{0.5f, 200.0f / 480}));
}

TEST_F(ReticleTouches, LongPressesOutsideOrOnLockedReticlesLockNothing) {
    hold({160, 330}, 1);
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_FALSE(s.exposureView->isLocked());
    EXPECT_FALSE(s.longPressHandled);

    s.focusView->setFrame(platform::CGRectMake(20, 100, 90, 90));
    s.exposureView->setFrame(platform::CGRectMake(200, 100, 90, 90));
    hold(kOnFocus, 1);
    ASSERT_TRUE(s.focusView->isLocked());
    const int lockCalls =
        app.controller()->hostCallCount("_lockFocus:lockExposure:lockWhiteBalance:");
    screen().touchDown(kOnFocus);
    run(1);
    EXPECT_TRUE(s.focusView->isLocked());
    EXPECT_FALSE(s.longPressHandled);
    EXPECT_EQ(app.controller()->hostCallCount("_lockFocus:lockExposure:lockWhiteBalance:"),
              lockCalls);
    // Having locked nothing, the touch ends as a plain tap, which unlocks.
    screen().touchUp(kOnFocus);
    EXPECT_FALSE(s.focusView->isLocked());
}

TEST_F(ReticleTouches, TheHostsSwipeWaitsWhileAReticleIsHeld) {
    screen().touchDown(kOnExposure);
    run(0.05);
    EXPECT_TRUE(s.touchDirectObject);
    auto scroll = app.cameraView()->swipeScrollView();
    EXPECT_FALSE(scroll->gestureRecognizerShouldBegin(nullptr));
    screen().touchUp(kOnExposure);
    run(0.05);
    EXPECT_EQ(app.controller()->cameraMode(), 0);
}

class VideoTouches : public CameraStory {
protected:
    VideoTouches() {
        launch();
        app.setCameraMode(1);
        run(2);
    }
};

TEST_F(VideoTouches, WithoutAdvancedVideoTheReticlesStayOutOfTheWay) {
    ASSERT_FALSE(s.UseAdvancedCamera);
    s.cameraView.reset();
    const auto focusFrame = s.focusView->frame();
    s.orientationOffsetPt = {1, 2};
    drag({200, 300}, {100, 200});
    hold({150, 150}, 1);
    EXPECT_EQ(s.cameraView.lock(), app.cameraView());
    EXPECT_EQ(s.orientationOffsetPt, (CGPoint{1, 2}));
    EXPECT_EQ(s.focusView->frame(), focusFrame);
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_FALSE(s.movedObject);
}

}  // namespace
}  // namespace snapforge
