#include "platform/foundation/NSMutableDictionary.h"
#include "snapforge/LibraryFixture.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/startup/OverlayObjects.h"

namespace snapforge {
namespace {

using testing::LibraryFixture;

class OverlayObjects : public LibraryFixture {
protected:
    OverlayObjects() {
        overlay->setObjcClass(
            platform::Runtime::shared().registerClass("PLPreviewOverlayView", "UIView"));
        s.previewOverlayView = overlay;
        s.cameraButtonBar = buttonBar;
    }

    std::shared_ptr<host::PLPreviewOverlayView> overlay =
        std::make_shared<host::PLPreviewOverlayView>();
    std::shared_ptr<host::PLCameraButtonBar> buttonBar =
        std::make_shared<host::PLCameraButtonBar>();
};

TEST_F(OverlayObjects, TheFirstCreationHidesBothReticlesWhateverTheMode) {
    s.UseAdvancedCamera = true;
    createObjects();
    ASSERT_TRUE(s.focusView && s.exposureView);
    EXPECT_TRUE(s.focusView->isHidden());
    EXPECT_TRUE(s.exposureView->isHidden());
    EXPECT_EQ(s.focusView->superview(), cameraView.get());
    // The exposure reticle lies above the focus reticle.
    EXPECT_EQ(cameraView->subviews().back(), s.exposureView);
    EXPECT_FALSE(s.wbLockButton->isHidden());
    EXPECT_FALSE(s.wbLockButton->isSelected());
    EXPECT_EQ(s.wbLockButton->superview(), overlay.get());
    EXPECT_EQ(s.wbLockButton->frame(), platform::CGRectMake(10, 370, 74, 31));

    // A re-creation in advanced mode replaces the reticles and shows what the device serves,
    // keeping the buttons.
    const auto focus = s.focusView;
    const auto lock = s.wbLockButton;
    createObjects();
    EXPECT_NE(s.focusView, focus);
    EXPECT_EQ(focus->superview(), nullptr);
    EXPECT_FALSE(s.focusView->isHidden());
    EXPECT_FALSE(s.exposureView->isHidden());
    EXPECT_EQ(s.wbLockButton, lock);
    EXPECT_EQ(cameraView->subviews().size(), 2u);
}

TEST_F(OverlayObjects, WithoutAControllerEverythingCountsAsUnsupported) {
    s.cameraController.reset();
    createObjects();
    createObjects();
    EXPECT_TRUE(s.focusView->isHidden());
    EXPECT_TRUE(s.wbLockButton->isHidden());
}

TEST_F(OverlayObjects, TheSettingsButtonIsCentredByWholeHalvesOfTheBarHeight) {
    for (const float height : {96.0f, 97.0f}) {
        s.settingsButton.reset();
        s.kCameraButtonBarHeight = static_cast<int>(height);
        createObjects();
        ASSERT_TRUE(s.settingsButton);
        EXPECT_EQ(s.settingsButton->frame(), platform::CGRectMake(65, 30.5f, 35, 35)) << height;
        EXPECT_FALSE(s.settingsButton->isHidden());
        EXPECT_FALSE(s.settingsButton->isSelected());
    }
}

TEST_F(OverlayObjects, TeardownKeepsThePreferencesOnlyWhenAsked) {
    createObjects();
    s.prefsDictionary = platform::NSMutableDictionary::create();
    destroyObjects(true);
    EXPECT_TRUE(s.prefsDictionary);
    EXPECT_FALSE(s.focusView || s.exposureView || s.wbLockButton || s.settingsButton);
    EXPECT_TRUE(cameraView->subviews().empty());
    EXPECT_TRUE(s.killtimer);
    destroyObjects(false);
    EXPECT_FALSE(s.prefsDictionary);
}

}  // namespace
}  // namespace snapforge
