#include "snapforge/LibraryFixture.h"
#include "snapforge/focus/AdvancedFocus.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"

namespace snapforge {
namespace {

using testing::LibraryFixture;

class AdvancedFocus : public LibraryFixture {
protected:
    explicit AdvancedFocus(platform::CaptureCapabilities capabilities = {})
        : LibraryFixture(capabilities) {
        s.focusView = FocusView::create(platform::CGRectMake(10, 20, 90, 90));
        s.exposureView = ExposureView::create(platform::CGRectMake(30, 40, 90, 90));
    }
};

class AdvancedFocusWithoutContinuousExposure : public AdvancedFocus {
protected:
    static platform::CaptureCapabilities focusOnly() {
        platform::CaptureCapabilities capabilities;
        capabilities.exposureModes = {0, 1};
        return capabilities;
    }
    AdvancedFocusWithoutContinuousExposure() : AdvancedFocus(focusOnly()) {}
};

TEST_F(AdvancedFocusWithoutContinuousExposure, LeavesExposureToTheHost) {
    toggleAdvancedFocus(true, nullptr, false);
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_FALSE(s.focusView->isHidden());
    EXPECT_TRUE(s.exposureView->isHidden());
    EXPECT_FALSE(s.canFocus);
    EXPECT_TRUE(s.canExpose);
    EXPECT_EQ(cameraView->showFocusRequests, std::vector<bool>{false});
    EXPECT_EQ(controller->autofocusRequests, (std::vector<std::pair<bool, bool>>{{false, true}}));
}

TEST_F(AdvancedFocus, AResetBringsBothReticlesHomeUnlocked) {
    s.focusView->setLockedState(true);
    s.exposureView->setLockedState(true);
    toggleAdvancedFocus(true, nullptr, true);
    const auto home = platform::CGRectMake(115, 195, 90, 90);
    EXPECT_EQ(s.focusView->frame(), home);
    EXPECT_EQ(s.exposureView->frame(), home);
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_FALSE(s.exposureView->isLocked());
    EXPECT_TRUE(s.exposureView->lockImageView()->isHidden());
    EXPECT_FALSE(s.focusView->isHidden());
    EXPECT_FALSE(s.exposureView->isHidden());
}

TEST_F(AdvancedFocus, SwitchingOffHandsEverythingBackToTheHost) {
    toggleAdvancedFocus(true, nullptr, false);
    s.canWhiteBalance = false;
    toggleAdvancedFocus(false, nullptr, true);
    EXPECT_FALSE(s.UseAdvancedCamera);
    EXPECT_TRUE(s.focusView->isHidden());
    EXPECT_TRUE(s.exposureView->isHidden());
    EXPECT_TRUE(s.canFocus && s.canExpose && s.canWhiteBalance);
    // A reset while switching off leaves the reticles where they were.
    EXPECT_EQ(s.focusView->frame(), platform::CGRectMake(10, 20, 90, 90));
    EXPECT_EQ(cameraView->showFocusRequests.back(), true);
    EXPECT_EQ(controller->autofocusRequests.back(), (std::pair<bool, bool>{true, true}));
    EXPECT_EQ(device().focusMode(), 1);
    EXPECT_EQ(device().exposureMode(), 1);
    EXPECT_EQ(device().whiteBalanceMode(), 1);
}

TEST_F(AdvancedFocus, ARefusedConfigurationKeepsTheDeviceModes) {
    auto capabilities = device().capabilities();
    capabilities.lockForConfiguration = false;
    device().setCapabilities(capabilities);
    toggleAdvancedFocus(false, nullptr, false);
    EXPECT_EQ(device().focusMode(), 2);
    EXPECT_TRUE(s.canFocus);
}

TEST_F(AdvancedFocus, MissingControllerAndViewAreTolerated) {
    s.cameraController.reset();
    s.cameraView.reset();
    s.focusView.reset();
    toggleAdvancedFocus(true, nullptr, true);
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_TRUE(s.exposureView->isHidden());
    EXPECT_TRUE(s.canFocus && s.canExpose);
}

TEST_F(AdvancedFocus, TheWhiteBalanceLockHoldsTheDeviceAndTheHost) {
    auto button = WhiteBalanceButton::create(platform::CGRectMake(10, 370, 74, 31));
    button->setTouchEvents();
    button->sendActionsForControlEvents(platform::UIControlEventTouchDown);
    EXPECT_TRUE(button->isSelected());
    EXPECT_TRUE(button->viewWithTag(1)->isHidden());
    EXPECT_FALSE(button->viewWithTag(2)->isHidden());
    EXPECT_EQ(device().whiteBalanceMode(), 0);
    EXPECT_FALSE(s.canWhiteBalance);

    button->sendActionsForControlEvents(platform::UIControlEventTouchDown);
    EXPECT_FALSE(button->isSelected());
    EXPECT_FALSE(button->viewWithTag(1)->isHidden());
    EXPECT_TRUE(button->viewWithTag(2)->isHidden());
    EXPECT_EQ(device().whiteBalanceMode(), 2);
    EXPECT_TRUE(s.canWhiteBalance);
}

TEST_F(AdvancedFocusWithoutContinuousExposure, LockingWithoutLockedModeStillHoldsTheHost) {
    auto capabilities = device().capabilities();
    capabilities.whiteBalanceModes = {1, 2};
    device().setCapabilities(capabilities);
    auto button = WhiteBalanceButton::create(platform::CGRectMake(10, 370, 74, 31));
    button->toggleBtn(button.get());
    EXPECT_TRUE(button->isSelected());
    EXPECT_FALSE(s.canWhiteBalance);
    EXPECT_EQ(device().whiteBalanceMode(), 2);
}

}  // namespace
}  // namespace snapforge
