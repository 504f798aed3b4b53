#include "sim/QueryAnswers.h"

#include <gtest/gtest.h>

#include <map>

#include "host/PLCameraView.h"
#include "platform/Process.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureOutput.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UISwitch.h"
#include "platform/ui/UIWindow.h"
#include "sim/LibraryViews.h"
#include "sim/PreferencesFile.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/capture/FramingAids.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/startup/State.h"

namespace sim {
namespace {

using namespace platform;

class FakePhone : public Phone {
public:
    std::map<Target, std::shared_ptr<UIView>> views;
    CaptureObjects capture;
    int photos = 0;

    std::shared_ptr<UIView> targetView(Target target) const override {
        const auto found = views.find(target);
        return found != views.end() ? found->second : libraryView(target);
    }
    CaptureObjects captureObjects() const override { return capture; }
    int photoCount() const override { return photos; }
};

Query simple(QueryKind kind) {
    return Query{kind, std::nullopt, ""};
}
Query about(QueryKind kind, Target target) {
    return Query{kind, target, ""};
}
Query keyed(QueryKind kind, std::string key) {
    return Query{kind, std::nullopt, std::move(key)};
}

TEST(QueryAnswers, ABareProcessAnswersWithItsStartingValues) {
    Process process;
    const FakePhone phone;
    EXPECT_EQ(answerQuery(simple(QueryKind::Photos), phone), "0");
    EXPECT_EQ(answerQuery(simple(QueryKind::Hooks), phone), "0");
    EXPECT_EQ(answerQuery(simple(QueryKind::Advanced), phone), "NO");
    EXPECT_EQ(answerQuery(simple(QueryKind::ReticleFocus), phone), "none");
    EXPECT_EQ(answerQuery(simple(QueryKind::LockedExposure), phone), "NO");
    EXPECT_EQ(answerQuery(simple(QueryKind::DeviceFocusMode), phone), "none");
    EXPECT_EQ(answerQuery(simple(QueryKind::SessionPreset), phone), "none");
    EXPECT_EQ(answerQuery(simple(QueryKind::FrameDuration), phone), "none");
    EXPECT_EQ(answerQuery(keyed(QueryKind::State, "_timerTime"), phone), "5");
    EXPECT_EQ(answerQuery(keyed(QueryKind::State, "noSuchThing"), phone), "unknown");
    EXPECT_EQ(answerQuery(keyed(QueryKind::Pref, "timerTime"), phone), "missing");
    for (const auto target : {Target::StopButton, Target::WbLock, Target::BarTimer}) {
        EXPECT_EQ(answerQuery(about(QueryKind::Visible, target), phone), "NO");
        EXPECT_EQ(answerQuery(about(QueryKind::Selected, target), phone), "NO");
        EXPECT_EQ(answerQuery(about(QueryKind::Frame, target), phone), "absent");
    }
}

TEST(QueryAnswers, WhatTheLibraryDoesNotShowAnswersAbsentOrNone) {
    Process process;
    const FakePhone phone;
    EXPECT_EQ(answerQuery(simple(QueryKind::Bar), phone), "absent");
    EXPECT_EQ(answerQuery(simple(QueryKind::Dial), phone), "absent");
    EXPECT_EQ(answerQuery(simple(QueryKind::Panel), phone), "absent");
    EXPECT_EQ(answerQuery(simple(QueryKind::Countdown), phone), "none");
    EXPECT_EQ(answerQuery(simple(QueryKind::Message), phone), "none");
    EXPECT_EQ(answerQuery(simple(QueryKind::Picture), phone), "none");
    EXPECT_EQ(answerQuery(simple(QueryKind::DialKind), phone), "absent");
    EXPECT_EQ(answerQuery(simple(QueryKind::BarMode), phone), "absent");
    EXPECT_EQ(answerQuery(simple(QueryKind::Messages), phone), "none");
}

TEST(QueryAnswers, ReticlesControlsAndTheirGeometry) {
    Process process;
    FakePhone phone;
    auto window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    window->makeKeyAndVisible();
    auto& s = snapforge::state();
    s.UseAdvancedCamera = true;
    s.focusView = snapforge::FocusView::create(CGRectMake(160, 260, 90, 90));
    s.exposureView = snapforge::ExposureView::create(CGRectMake(115.5f, 195.25f, 90, 90));
    window->addSubview(s.focusView);
    window->addSubview(s.exposureView);
    s.exposureView->setLockedState(true);
    // A reticle stays upright; its lock badge turns.
    s.exposureView->lockImageView()->setTransform(
        CGAffineTransformMakeRotation(static_cast<float>(M_PI / 2)));

    EXPECT_EQ(answerQuery(simple(QueryKind::Advanced), phone), "YES");
    EXPECT_EQ(answerQuery(simple(QueryKind::ReticleFocus), phone), "160,260");
    EXPECT_EQ(answerQuery(simple(QueryKind::ReticleExposure), phone), "115.5,195.25");
    EXPECT_EQ(answerQuery(simple(QueryKind::LockedFocus), phone), "NO");
    EXPECT_EQ(answerQuery(simple(QueryKind::LockedExposure), phone), "YES");
    EXPECT_EQ(answerQuery(about(QueryKind::Visible, Target::FocusReticle), phone), "YES");
    EXPECT_EQ(answerQuery(about(QueryKind::Frame, Target::FocusReticle), phone), "160,260,90,90");
    EXPECT_EQ(answerQuery(about(QueryKind::Rotation, Target::ExposureReticle), phone), "90");
    EXPECT_EQ(answerQuery(about(QueryKind::Rotation, Target::FocusReticle), phone), "0");

    s.focusView->setHidden(true);
    EXPECT_EQ(answerQuery(about(QueryKind::Visible, Target::FocusReticle), phone), "NO");

    // A control answers its selected state, a switch its on state.
    auto button = UIButton::create(CGRectMake(0, 0, 10, 10));
    auto toggle = UISwitch::create(CGRectMake(0, 0, 10, 10));
    phone.views[Target::BarTimer] = button;
    phone.views[Target::PanelRemember] = toggle;
    button->setSelected(true);
    toggle->setOn(true);
    toggle->setSelected(false);
    EXPECT_EQ(answerQuery(about(QueryKind::Selected, Target::BarTimer), phone), "YES");
    EXPECT_EQ(answerQuery(about(QueryKind::Selected, Target::PanelRemember), phone), "YES");
    EXPECT_EQ(answerQuery(about(QueryKind::Visible, Target::BarTimer), phone), "NO");

    // What turns for the user: a message's words and a mode button's icon; the bar's window
    // never turns.
    phone.views[Target::Message] = snapforge::MessageLabel::create(3);
    auto modeButton = snapforge::ActionButton::create(CGRectMake(8, 7, 77, 60));
    auto icon = UIImageView::create(CGRectMake(24.5f, 19, 28, 23));
    modeButton->addSubview(icon);
    icon->setTransform(CGAffineTransformMakeRotation(static_cast<float>(-M_PI / 2)));
    phone.views[Target::BarNormal] = modeButton;
    phone.views[Target::Bar] = UIWindow::create(CGRectMake(0, 317, 320, 67));
    EXPECT_EQ(answerQuery(about(QueryKind::Rotation, Target::Message), phone), "90");
    EXPECT_EQ(answerQuery(about(QueryKind::Rotation, Target::BarNormal), phone), "-90");
    EXPECT_EQ(answerQuery(about(QueryKind::Rotation, Target::Bar), phone), "0");
}

TEST(QueryAnswers, CaptureSettingsAndPreferencesOnDisk) {
    Process process;
    FakePhone phone;
    phone.photos = 3;
    CaptureCapabilities capabilities;
    phone.capture.device = AVCaptureDevice::create(capabilities);
    phone.capture.session = AVCaptureSession::create(phone.capture.device);
    phone.capture.output = AVCaptureOutput::create(capabilities);
    auto& device = *phone.capture.device;
    device.lockForConfiguration();
    device.setWhiteBalanceMode(0);
    device.setExposurePointOfInterest({0.25f, 0.5416667f});
    device.unlockForConfiguration();

    EXPECT_EQ(answerQuery(simple(QueryKind::Photos), phone), "3");
    EXPECT_EQ(answerQuery(simple(QueryKind::DeviceFocusMode), phone), "2");
    EXPECT_EQ(answerQuery(simple(QueryKind::DeviceWbMode), phone), "0");
    EXPECT_EQ(answerQuery(simple(QueryKind::DeviceFocusPoint), phone), "0.5,0.5");
    EXPECT_EQ(answerQuery(simple(QueryKind::DeviceExposurePoint), phone), "0.25,0.5417");
    EXPECT_EQ(answerQuery(simple(QueryKind::SessionPreset), phone), "AVCaptureSessionPresetHigh");
    EXPECT_EQ(answerQuery(simple(QueryKind::FrameDuration), phone), "1/30,1/24");

    capabilities.videoConnection = false;
    phone.capture.output->setCapabilities(capabilities);
    EXPECT_EQ(answerQuery(simple(QueryKind::FrameDuration), phone), "none");

    ASSERT_TRUE(preferences::write({{"advPhotoSelected", true},
                                    {"timerTime", std::int64_t{12}},
                                    {"name", std::string("a b")}}));
    EXPECT_EQ(answerQuery(keyed(QueryKind::Pref, "advPhotoSelected"), phone), "YES");
    EXPECT_EQ(answerQuery(keyed(QueryKind::Pref, "timerTime"), phone), "12");
    EXPECT_EQ(answerQuery(keyed(QueryKind::Pref, "name"), phone), "a b");
    EXPECT_EQ(answerQuery(keyed(QueryKind::Pref, "guideIndex"), phone), "missing");
    ASSERT_TRUE(preferences::writeBytes("<plist><dict><key>x</key>"));
    EXPECT_EQ(answerQuery(keyed(QueryKind::Pref, "timerTime"), phone), "missing");
}

TEST(QueryAnswers, TheFramingPictureAndASelectorsLight) {
    Process process;
    FakePhone phone;
    auto& s = snapforge::state();
    auto cameraView = std::make_shared<host::PLCameraView>();
    s.cameraView = cameraView;
    EXPECT_EQ(answerQuery(simple(QueryKind::Picture), phone), "none");
    auto picture = UIImageView::create();
    picture->setTag(snapforge::kPictureViewTag);
    cameraView->addSubview(picture);
    EXPECT_EQ(answerQuery(simple(QueryKind::Picture), phone), "empty");
    picture->setImage(std::make_shared<UIImage>("/var/mobile/Library/Keyboard/Snapforge/43.png",
                                                "43.png", CGSize{4, 4}, true));
    EXPECT_EQ(answerQuery(simple(QueryKind::Picture), phone), "43.png");

    // A selector answers the page it shows and the light it shows, whatever it was told.
    auto selector = snapforge::SelectorButton::create(CGRectMake(0, 0, 77, 60));
    phone.views[Target::BarOverlay] = selector;
    EXPECT_EQ(answerQuery(about(QueryKind::Selected, Target::BarOverlay), phone), "NO");
    EXPECT_EQ(answerQuery(about(QueryKind::Page, Target::BarOverlay), phone), "3");
    selector->setSelectorType(snapforge::SelectorButton::kResolutionSelector, 1);
    EXPECT_EQ(answerQuery(about(QueryKind::Page, Target::BarOverlay), phone), "1");
    const auto light = std::dynamic_pointer_cast<UIImageView>(
        selector->viewWithTag(snapforge::SelectorButton::kLightTag));
    light->setImage(std::make_shared<UIImage>("/var/mobile/Library/Keyboard/Snapforge/lightOff.png",
                                              "lightOff.png", CGSize{16, 9}, true));
    selector->setIsSelected(true);
    EXPECT_EQ(answerQuery(about(QueryKind::Selected, Target::BarOverlay), phone), "NO");
    light->setImage(std::make_shared<UIImage>("/var/mobile/Library/Keyboard/Snapforge/lightOn.png",
                                              "lightOn.png", CGSize{16, 9}, true));
    EXPECT_EQ(answerQuery(about(QueryKind::Selected, Target::BarOverlay), phone), "YES");
    // Without the light's pictures, it answers what it was told.
    light->setImage(nullptr);
    EXPECT_EQ(answerQuery(about(QueryKind::Selected, Target::BarOverlay), phone), "YES");
    phone.views[Target::BarTimer] = UIButton::create(CGRectMake(0, 0, 10, 10));
    EXPECT_EQ(answerQuery(about(QueryKind::Page, Target::BarTimer), phone), "none");
    EXPECT_EQ(answerQuery(about(QueryKind::Page, Target::BarFrameGuide), phone), "absent");
}

}  // namespace
}  // namespace sim
