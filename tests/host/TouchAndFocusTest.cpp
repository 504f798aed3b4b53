#include <gtest/gtest.h>

#include "host/HostTestSupport.h"
#include "host/Selectors.h"
#include "platform/ui/UIGestureRecognizer.h"

namespace host::testing {
namespace {

using platform::CGPoint;
using platform::id;
using platform::SEL;

// The long-press hook notes the recogniser's state on each call.
std::vector<int> longPressStates;
void (*originalLongPress)(id, SEL, id) = nullptr;
void noteLongPress(id self, SEL cmd, id sender) {
    auto* recognizer = dynamic_cast<platform::UIGestureRecognizer*>(sender);
    longPressStates.push_back(recognizer ? recognizer->state() : -1);
    trace().push_back("PLCameraView _handleOverlayViewLongPress:");
    originalLongPress(self, cmd, sender);
}

bool focusAllowedAnswer = true;
bool (*originalFocusAllowed)(id, SEL) = nullptr;
bool answerFocusAllowed(id self, SEL cmd) {
    trace().push_back("PLCameraController isFocusAllowed");
    return originalFocusAllowed(self, cmd) && focusAllowedAnswer;
}

bool swipeAnswer = true;
bool (*originalShouldBegin)(id, SEL, id) = nullptr;
bool answerShouldBegin(id self, SEL cmd, id recognizer) {
    trace().push_back("PLSwipeBlockingScrollView gestureRecognizerShouldBegin:");
    return swipeAnswer && originalShouldBegin(self, cmd, recognizer);
}

class TouchTest : public CameraAppTest {
protected:
    using CameraAppTest::CameraAppTest;

    void installHooks() override {
        Tracer<sel::touchesBegan>::install("PLCameraView");
        Tracer<sel::touchesMoved>::install("PLCameraView");
        Tracer<sel::touchesEnded>::install("PLCameraView");
        Tracer<sel::autofocus>::install("PLCameraController");
        Tracer<sel::_focusStarted>::install("PLCameraController");
        Tracer<sel::_focusCompleted>::install("PLCameraController");
        Tracer<sel::_exposureStarted>::install("PLCameraController");
        Tracer<sel::_exposureCompleted>::install("PLCameraController");
        Tracer<sel::_whiteBalanceStarted>::install("PLCameraController");
        Tracer<sel::convertToPointOfInterestFromViewCoordinates>::install("PLCameraView");
        platform::MSHookMessageEx(platform::objc_getClass("PLCameraView"),
                                  sel::_handleOverlayViewLongPress, noteLongPress,
                                  &originalLongPress);
        platform::MSHookMessageEx(platform::objc_getClass("PLCameraController"),
                                  sel::isFocusAllowed, answerFocusAllowed, &originalFocusAllowed);
        platform::MSHookMessageEx(platform::objc_getClass("PLSwipeBlockingScrollView"),
                                  sel::gestureRecognizerShouldBegin, answerShouldBegin,
                                  &originalShouldBegin);
    }

    void SetUp() override {
        longPressStates.clear();
        focusAllowedAnswer = true;
        swipeAnswer = true;
        app_.launch();
        run(1);
        trace().clear();
    }

    void drag(CGPoint from, CGPoint to) {
        screen().touchDown(from);
        for (int step = 1; step <= 10; ++step) {
            const float t = step / 10.0f;
            run(1.0 / 60);
            screen().touchMove({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
        }
        screen().touchUp(to);
    }

    platform::AVCaptureDevice& device() { return *app_.controller()->currentDevice(); }
};

TEST_F(TouchTest, TapOnThePreviewAsksIsFocusAllowedAndFocusesThere) {
    tap({160, 120});

    EXPECT_EQ(trace(), (std::vector<std::string>{
                           "PLCameraView touchesBegan:withEvent:",
                           "PLCameraView touchesEnded:withEvent:",
                           "PLCameraController isFocusAllowed",
                           "PLCameraView "
                           "convertToPointOfInterestFromViewCoordinates:pointIsInsideContent:",
                           "PLCameraController autofocus",
                       }));
    EXPECT_EQ(device().focusPointOfInterest(), platform::CGPointMake(0.5f, 0.25f));
    EXPECT_EQ(device().exposurePointOfInterest(), platform::CGPointMake(0.5f, 0.25f));
    EXPECT_EQ(device().focusMode(), 1);
    EXPECT_EQ(app_.controller()->autofocusCount(), 1);
}

TEST_F(TouchTest, RefusedFocusLeavesTheDeviceAlone) {
    focusAllowedAnswer = false;
    tap({160, 120});
    EXPECT_EQ(traced("PLCameraController isFocusAllowed"), 1);
    EXPECT_EQ(traced("PLCameraController autofocus"), 0);
    EXPECT_EQ(device().focusPointOfInterest(), platform::CGPointMake(0.5f, 0.5f));
    EXPECT_EQ(device().focusMode(), 2);
}

TEST_F(TouchTest, TapOnTheButtonBarDoesNotFocus) {
    tap({20, 470});
    EXPECT_EQ(traced("PLCameraController isFocusAllowed"), 0);
}

TEST_F(TouchTest, LongPressBeginsAfterHalfASecondAndTheTouchStillEnds) {
    screen().touchDown({100, 200});
    run(0.49);
    EXPECT_TRUE(longPressStates.empty());
    run(0.02);
    ASSERT_EQ(longPressStates.size(), 1u);
    EXPECT_EQ(longPressStates[0], 1);
    screen().touchUp({100, 200});

    EXPECT_EQ(trace().front(), "PLCameraView touchesBegan:withEvent:");
    EXPECT_EQ(trace().back(), "PLCameraView touchesEnded:withEvent:");
    EXPECT_EQ(app_.cameraView()->longPressCount(), 1);
    // The host's own long press holds exposure and focus; the press is no tap.
    EXPECT_EQ(app_.controller()->lastLockRequest(),
              (SimCameraController::LockRequest{true, true, false}));
    EXPECT_EQ(device().focusMode(), 0);
    EXPECT_EQ(device().exposureMode(), 0);
    EXPECT_EQ(traced("PLCameraController autofocus"), 0);

    // A later tap lets go of the hold and focuses again.
    run(1);
    tap({100, 200});
    EXPECT_EQ(app_.controller()->lastLockRequest(),
              (SimCameraController::LockRequest{false, false, false}));
    EXPECT_EQ(device().focusMode(), 1);
    EXPECT_EQ(device().exposureMode(), 2);
}

TEST_F(TouchTest, LongPressOnTheButtonBarIsNotTheOverlays) {
    screen().touchDown({20, 470});
    run(1);
    screen().touchUp({20, 470});
    EXPECT_TRUE(longPressStates.empty());
}

TEST_F(TouchTest, HorizontalSwipeOnThePreviewSwitchesPhotoAndVideo) {
    drag({250, 200}, {80, 205});
    run(1);
    EXPECT_EQ(traced("PLSwipeBlockingScrollView gestureRecognizerShouldBegin:"), 1);
    EXPECT_EQ(app_.controller()->cameraMode(), 1);
    EXPECT_EQ(app_.cameraView()->swipeScrollView()->contentOffset(), platform::CGPointMake(320, 0));

    drag({80, 200}, {250, 195});
    run(1);
    EXPECT_EQ(app_.controller()->cameraMode(), 0);
}

TEST_F(TouchTest, RefusedOrVerticalSwipeLeavesTheTouchWithTheCameraView) {
    swipeAnswer = false;
    drag({250, 200}, {80, 205});
    run(1);
    EXPECT_EQ(app_.controller()->cameraMode(), 0);
    EXPECT_EQ(traced("PLCameraView touchesEnded:withEvent:"), 1);

    swipeAnswer = true;
    drag({160, 100}, {165, 300});
    run(1);
    EXPECT_EQ(app_.controller()->cameraMode(), 0);
    EXPECT_EQ(traced("PLCameraView touchesEnded:withEvent:"), 2);
    EXPECT_GT(traced("PLCameraView touchesMoved:withEvent:"), 10);
}

TEST_F(TouchTest, DeviceAdjustmentsAreBracketedByStartedAndCompleted) {
    auto& camera = device();
    ASSERT_TRUE(camera.lockForConfiguration());
    camera.setFocusPointOfInterest({0.2f, 0.3f});
    camera.setFocusMode(2);
    camera.setExposurePointOfInterest({0.2f, 0.3f});
    camera.setExposureMode(2);
    camera.setWhiteBalanceMode(2);
    camera.unlockForConfiguration();
    EXPECT_TRUE(trace().empty());

    run(0);
    EXPECT_EQ(trace(), (std::vector<std::string>{"PLCameraController _focusStarted",
                                                 "PLCameraController _exposureStarted",
                                                 "PLCameraController _whiteBalanceStarted"}));
    run(SimCameraController::kExposureAdjustSeconds);
    EXPECT_EQ(trace().back(), "PLCameraController _exposureCompleted");
    EXPECT_EQ(traced("PLCameraController _focusCompleted"), 0);
    run(SimCameraController::kFocusAdjustSeconds - SimCameraController::kExposureAdjustSeconds);
    EXPECT_EQ(trace().back(), "PLCameraController _focusCompleted");
    EXPECT_EQ(traced("PLCameraController _focusStarted"), 1);
    EXPECT_FALSE(app_.controller()->isHostFocusing());

    // Locking a mode is no adjustment.
    trace().clear();
    ASSERT_TRUE(camera.lockForConfiguration());
    camera.setFocusMode(0);
    camera.unlockForConfiguration();
    run(1);
    EXPECT_TRUE(trace().empty());
}

TEST_F(TouchTest, AdjustmentStartsAfterTheRequestReturns) {
    // A hook that withholds _focusStarted keeps the host from showing its own indicator, and
    // the completion still comes.
    static void (*original)(id, SEL) = nullptr;
    platform::MSHookMessageEx(
        platform::objc_getClass("PLCameraController"), sel::_focusStarted, +[](id, SEL) {},
        &original);
    tap({160, 120});
    run(0);
    EXPECT_FALSE(app_.controller()->isHostFocusing());
    EXPECT_EQ(app_.controller()->hostCallCount("_focusStarted"), 0);
    run(1);
    EXPECT_EQ(app_.controller()->hostCallCount("_focusCompleted"), 1);
}

class OlderSystemTouchTest : public TouchTest {
protected:
    OlderSystemTouchTest() : TouchTest("iPhone4,1", olderSystem()) {}
    static DeviceOverrides olderSystem() {
        DeviceOverrides overrides;
        overrides.systemVersion = "5.1.1";
        return overrides;
    }
};

TEST_F(OlderSystemTouchTest, TapFocusesAtTheSamePlaceOnAPreviewLayerOfTwiceTheSize) {
    tap({160, 120});
    EXPECT_EQ(device().focusPointOfInterest(), platform::CGPointMake(0.5f, 0.25f));
}

TEST_F(OlderSystemTouchTest, PointConversionUsesTheDoubledPreviewLayer) {
    bool inside = false;
    auto view = app_.cameraView();
    EXPECT_EQ(view->convertToPointOfInterestFromViewCoordinates({320, 480}, &inside),
              platform::CGPointMake(0.5f, 0.5f));
    EXPECT_TRUE(inside);
}

TEST_F(TouchTest, PointConversionMapsTheViewOntoZeroToOne) {
    auto view = app_.cameraView();
    bool inside = false;
    EXPECT_EQ(view->convertToPointOfInterestFromViewCoordinates({160, 240}, &inside),
              platform::CGPointMake(0.5f, 0.5f));
    EXPECT_TRUE(inside);
    EXPECT_EQ(view->convertToPointOfInterestFromViewCoordinates({640, -48}, &inside),
              platform::CGPointMake(2.0f, -0.1f));
    EXPECT_FALSE(inside);
    EXPECT_EQ(view->convertToPointOfInterestFromViewCoordinates({0, 480}, nullptr),
              platform::CGPointMake(0, 1));
}

TEST_F(TouchTest, HostRecordsWhatTheLibraryAsksOfIt) {
    auto controller = app_.controller();
    controller->_autofocus(false, true);
    EXPECT_EQ(controller->lastAutofocusRequest(),
              (SimCameraController::AutofocusRequest{false, true}));
    // With its own focusing switched off the host's autofocus leaves the device alone.
    controller->autofocus();
    EXPECT_EQ(controller->autofocusCount(), 1);
    EXPECT_EQ(device().focusMode(), 2);

    app_.cameraView()->_setShouldShowFocus(false);
    EXPECT_FALSE(app_.cameraView()->shouldShowFocus());

    controller->_lockFocus(true, false, false);
    EXPECT_EQ(device().focusMode(), 0);
    EXPECT_EQ(device().exposureMode(), 2);
    // White balance the host never held is left as it is on release.
    ASSERT_TRUE(device().lockForConfiguration());
    device().setWhiteBalanceMode(0);
    device().unlockForConfiguration();
    controller->_lockFocus(false, false, false);
    EXPECT_EQ(device().focusMode(), 2);
    EXPECT_EQ(device().whiteBalanceMode(), 0);
}

}  // namespace
}  // namespace host::testing
