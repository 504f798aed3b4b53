#include "host/HostClasses.h"
#include "host/Selectors.h"
#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistValue.h"
#include "platform/foundation/PropertyListFile.h"
#include "snapforge/CameraStory.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/OverlayObjects.h"

namespace snapforge {
namespace {

using platform::CGPoint;
using testing::CameraStory;

TEST_F(CameraStory, ReopeningTheIrisWithoutAModeChangeRecreatesNothing) {
    launch();
    const auto focus = s.focusView;
    const auto exposure = s.exposureView;
    const auto prefs = s.prefsDictionary;
    tap({200, 300});
    app.cameraView()->openIrisWithDidFinishSelector(nullptr, 0.2f);
    run(1);
    EXPECT_EQ(s.focusView, focus);
    EXPECT_EQ(s.exposureView, exposure);
    EXPECT_EQ(s.prefsDictionary, prefs);
    // Advanced mode was not re-applied: the reticles stay where the tap put them.
    EXPECT_EQ(s.focusView->frame().origin, (CGPoint{160, 260}));
    EXPECT_FALSE(s.settingsButton->isHidden());
}

TEST_F(CameraStory, APhotoVideoSwitchReappliesTheAdvancedChoiceOfTheNewMode) {
    launch();
    tap({200, 300});
    ASSERT_TRUE(app.setCameraMode(1));
    run(2);
    EXPECT_FALSE(s.UseAdvancedCamera);
    EXPECT_TRUE(s.focusView->isHidden());
    EXPECT_FALSE(s.didChangeModes);

    ASSERT_TRUE(app.setCameraMode(0));
    run(2);
    EXPECT_TRUE(s.UseAdvancedCamera);
    EXPECT_FALSE(s.focusView->isHidden());
    EXPECT_EQ(s.focusView->frame().origin, (CGPoint{115, 195}));
}

TEST_F(CameraStory, OnlyAnIrisCloseForAPhotoKeepsTheWhiteBalanceLock) {
    launch();
    touch(s.wbLockButton);
    ASSERT_TRUE(app.pressShutter());
    run(2);
    EXPECT_EQ(app.photoCount(), 1);
    EXPECT_TRUE(s.wbLockButton->isSelected());
    EXPECT_FALSE(s.capturingPhoto);

    app.cameraView()->closeIrisWithDidFinishSelector(nullptr, 0.2f);
    EXPECT_FALSE(s.wbLockButton->isSelected());
    EXPECT_FALSE(s.canWhiteBalance);
}

TEST_F(CameraStory, ClosingTheCameraLeavesNothingBehindAndReopeningRecreatesIt) {
    launch();
    std::weak_ptr<FocusView> focus = s.focusView;
    std::weak_ptr<ExposureView> exposure = s.exposureView;
    std::weak_ptr<WhiteBalanceButton> whiteBalance = s.wbLockButton;
    std::weak_ptr<SettingsButtonEx> settings = s.settingsButton;
    s.focusView->setLockedState(true);

    app.close();
    run(1);
    EXPECT_TRUE(focus.expired());
    EXPECT_TRUE(exposure.expired());
    EXPECT_TRUE(whiteBalance.expired());
    EXPECT_TRUE(settings.expired());
    EXPECT_FALSE(s.prefsDictionary);
    EXPECT_TRUE(s.killtimer);

    launch();
    ASSERT_TRUE(s.focusView);
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_TRUE(s.wbLockButton && s.settingsButton);
    EXPECT_EQ(s.settingsButton->superview(), app.cameraView()->buttonBar().get());
    EXPECT_TRUE(s.UseAdvancedCamera);
}

TEST_F(CameraStory, TheSettingsButtonSitsInTheHostBarBesideTheMovedShutter) {
    launch();
    const int height = s.kCameraButtonBarHeight;
    EXPECT_EQ(s.settingsButton->frame(),
              platform::CGRectMake(65, static_cast<float>(height / 2) - 17.5f, 35, 35));
    EXPECT_EQ(app.cameraView()->shutterButton()->frame().origin.x, 125);
    // The button is a switch that flips as the finger lands.
    tap(centreOf(*s.settingsButton));
    EXPECT_TRUE(s.settingsButton->isSelected());
}

class CameraOfALowRankModel : public CameraStory {
protected:
    CameraOfALowRankModel() : CameraStory(host::deviceProfile("iPhone3,1")) {}
};

TEST_F(CameraOfALowRankModel, NeverReadsOrWritesThePreferences) {
    platform::NSMutableDictionary prefs;
    prefs.setObject(platform::PlistValue(false), "advPhotoSelected");
    std::filesystem::create_directories(platform::devicePath(kPreferencesFolder));
    ASSERT_TRUE(platform::writeToFile(
        prefs, std::string(kPreferencesFolder) + "/" + std::string(kPreferencesFileName), true));
    launch();
    ASSERT_TRUE(s.DISABLE_SAVE);
    EXPECT_FALSE(s.prefsDictionary);
    EXPECT_FALSE(s._didSetPrefs);
    EXPECT_TRUE(s._tmpAdvPhotoSelected);
    app.controller()->startPreview();
    EXPECT_FALSE(s.prefsDictionary);
}

TEST(CameraViewTeardown, ToleratesAViewThatNeverGotTheLibrarysObjects) {
    platform::Process process(host::deviceProfile("iPhone4,1"));
    host::registerHostClasses();
    SnapforgeInitialize();
    auto view = std::make_shared<host::PLCameraView>();
    view->setObjcClass(platform::objc_getClass("PLCameraView"));
    view->dealloc();
    EXPECT_FALSE(state().focusView);
}

TEST(ButtonBarShift, MovesTheImageWellOnlyBeforeVersionSix) {
    for (const bool ios6 : {false, true}) {
        platform::Process process;
        state().IS_IOS6 = ios6;
        auto& runtime = platform::Runtime::shared();
        auto bar = platform::UIView::create(platform::CGRectMake(0, 0, 320, 96));
        auto well = platform::UIView::create(platform::CGRectMake(20, 10, 40, 40));
        well->setObjcClass(runtime.registerClass("PLCameraImageWellView", "UIView"));
        bar->addSubview(well);
        shiftButtonBar(*bar, false);
        EXPECT_EQ(well->frame().origin.x, 20) << "no shutter, no move";
        shiftButtonBar(*bar, true);
        EXPECT_EQ(well->frame().origin.x, ios6 ? 20 : -5);
    }
}

}  // namespace
}  // namespace snapforge
