// The framing aids, the video resolution and the custom frame rate as a user meets them: taps
// and scrolls on the bar's selectors, the dial's "SET", and the camera reopening.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>

#include "platform/capture/AVCaptureConnection.h"
#include "platform/foundation/PlistValue.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/CATransition.h"
#include "platform/ui/UIImageView.h"
#include "sim/Gestures.h"
#include "sim/LibraryViews.h"
#include "sim/ViewInspection.h"
#include "snapforge/CameraStory.h"
#include "snapforge/camerabar/ActionButton.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/capture/FrameRate.h"
#include "snapforge/capture/FramingAids.h"
#include "snapforge/prefs/PreferencesFile.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/timed/SelectorDial.h"
#include "support/TestFiles.h"

namespace snapforge::testing {
namespace {

using platform::CMTimeMake;

class CaptureStory : public CameraStory {
protected:
    // A device whose preferences are saved, with the pictures of the framing aids in place.
    CaptureStory() : CameraStory(host::deviceProfile("iPhone5,1")) {
        for (const char* name :
             {"overlayTriSection.png", "overlaySquare.png", "overlayThirds.png",
              "overlayGuldenSnede.png", "43.png", "2351.png", "lightOn.png", "lightOff.png"}) {
            testsupport::writeDeviceFile(std::string(kImageFolder) + name,
                                         testsupport::pngHeader(4, 4));
        }
    }

    void openCamera(int hostMode) {
        launch();
        if (hostMode != 0) {
            ASSERT_TRUE(app.setCameraMode(hostMode));
            run(2);
        }
    }
    void openBar() {
        touch(s.settingsButton);
        run(1);
        ASSERT_TRUE(s.cameraBar);
    }
    void scroll(const std::shared_ptr<SelectorButton>& selector, int pages) {
        ASSERT_TRUE(selector);
        const auto point = sim::inspect::touchPoint(*selector);
        ASSERT_TRUE(point);
        sim::gestures::scroll(*selector->scrollView(), *point, pages, [this](double t) { run(t); });
        run(0.05);
    }
    CameraBarEx& bar() { return *s.cameraBar; }

    static float offsetOf(const SelectorButton& selector) {
        return selector.scrollView()->contentOffset().y;
    }
    static std::string lightOf(SelectorButton& selector) {
        auto light = std::dynamic_pointer_cast<platform::UIImageView>(
            selector.viewWithTag(SelectorButton::kLightTag));
        return light && light->image() ? light->image()->path() : "";
    }
    std::shared_ptr<platform::UIView> pictureView() {
        return app.cameraView()->viewWithTag(kPictureViewTag);
    }
    long pictureViewCount() {
        const auto& views = app.cameraView()->subviews();
        return std::count_if(views.begin(), views.end(),
                             [](const auto& v) { return v->tag() == kPictureViewTag; });
    }
    static bool showsMessage(const std::string& text) {
        const auto texts = messagesOnScreen();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    platform::AVCaptureConnection& connection() {
        auto video = currentVideoConnection();
        EXPECT_TRUE(video);
        return *video;
    }
    const std::string& preset() { return app.controller()->currentSession()->sessionPreset(); }
};

TEST_F(CaptureStory, ATapLightsTheOverlayAndAScrollCrossFadesThroughTheWrapAround) {
    openCamera(0);
    openBar();
    auto overlay = bar().overlayBtn;
    EXPECT_EQ(offsetOf(*overlay), 180);

    touch(overlay);
    EXPECT_TRUE(overlay->isSelected());
    EXPECT_TRUE(bar().overlaySelected);
    EXPECT_EQ(lightOf(*overlay), std::string(kImageFolder) + "lightOn.png");
    EXPECT_EQ(sim::framingPicture(), "overlayGuldenSnede.png");
    EXPECT_TRUE(s.overlayIsShowing);
    EXPECT_TRUE(s._overlaySelected && s._tmpOverlaySelected);
    const auto view = pictureView();
    ASSERT_TRUE(view);
    const auto camera = app.cameraView()->frame();
    EXPECT_EQ(view->frame(),
              platform::CGRectMake(camera.origin.x, camera.origin.y + 2, camera.size.width,
                                   camera.size.height - s.kCameraButtonBarHeight - 3));

    // Three pages up comes to rest at the top, which shows the same grid further in.
    scroll(overlay, -3);
    EXPECT_EQ(offsetOf(*overlay), 240);
    EXPECT_EQ(bar().overlayIndex, 4);
    EXPECT_EQ(s.overlayIndex, 4);
    EXPECT_EQ(sim::framingPicture(), "overlayTriSection.png");
    EXPECT_EQ(pictureView(), view);
    EXPECT_EQ(pictureViewCount(), 1);
    const auto& fades = platform::AnimationLog::shared().transitions();
    ASSERT_FALSE(fades.empty());
    EXPECT_EQ(fades.back().viewAddress, view.get());
    EXPECT_EQ(fades.back().type, platform::kCATransitionFade);
    EXPECT_DOUBLE_EQ(fades.back().duration, 0.3);
    EXPECT_EQ(fades.back().timingFunction, platform::kCAMediaTimingFunctionEaseInEaseOut);

    // Two pages down from 240 rests on 360, which jumps back to 120.
    scroll(overlay, 2);
    EXPECT_EQ(offsetOf(*overlay), 120);
    EXPECT_EQ(sim::framingPicture(), "overlayThirds.png");
    scroll(overlay, 1);  // 180 is no end: it stays
    EXPECT_EQ(offsetOf(*overlay), 180);

    touch(overlay);
    EXPECT_FALSE(overlay->isSelected());
    EXPECT_FALSE(bar().overlaySelected);
    EXPECT_EQ(lightOf(*overlay), std::string(kImageFolder) + "lightOff.png");
    EXPECT_EQ(sim::framingPicture(), "none");
    EXPECT_FALSE(s.overlayIsShowing || s._overlaySelected || s._tmpOverlaySelected);
}

TEST_F(CaptureStory, FrameGuidesShareThePictureViewWithTheOverlays) {
    openCamera(1);
    openBar();
    auto guide = bar().frameGuideBtn;
    touch(guide);
    EXPECT_EQ(sim::framingPicture(), "43.png");
    EXPECT_TRUE(s.frameGuideIsShowing);
    ASSERT_TRUE(pictureView());
    EXPECT_EQ(pictureView()->frame().origin.y, app.cameraView()->frame().origin.y + 1);

    scroll(guide, 1);
    EXPECT_EQ(sim::framingPicture(), "2351.png");
    // 300 is the strip's end: it shows 120, the empty choice.
    scroll(guide, 1);
    EXPECT_EQ(offsetOf(*guide), 120);
    EXPECT_EQ(bar().guideIndex, 2);
    EXPECT_EQ(sim::framingPicture(), "empty");
    EXPECT_TRUE(s.frameGuideIsShowing);
    // The top of the strip jumps to 180.
    scroll(guide, -2);
    EXPECT_EQ(offsetOf(*guide), 180);
    EXPECT_EQ(sim::framingPicture(), "43.png");

    // An overlay asked for meanwhile takes over the same view.
    toggleOverlay(6, true, true);
    EXPECT_EQ(sim::framingPicture(), "overlayThirds.png");
    EXPECT_EQ(pictureViewCount(), 1);
    hideOverlayView();
    EXPECT_EQ(sim::framingPicture(), "none");
    EXPECT_FALSE(s.overlayIsShowing || s.frameGuideIsShowing);
    hideOverlayView();  // nothing shown: nothing removed, nothing fails
    EXPECT_FALSE(s.overlayIsShowing || s.frameGuideIsShowing);

    // Out of the table: the index is kept, nothing is shown, no flag moves.
    s.rememberSettings = true;
    toggleOverlay(8, true, false);
    EXPECT_EQ(s.overlayIndex, 8);
    EXPECT_EQ(sim::framingPicture(), "none");
    EXPECT_FALSE(s.overlayIsShowing);
}

TEST_F(CaptureStory, ATurnedInterfaceSwapsThePictureSides) {
    openCamera(0);
    s.currentOrientation = 3;
    toggleOverlay(2, true, true);
    ASSERT_TRUE(pictureView());
    const auto camera = app.cameraView()->frame();
    EXPECT_EQ(
        pictureView()->frame().size,
        (platform::CGSize{camera.size.height, camera.size.width - s.kCameraButtonBarHeight - 3}));
}

TEST_F(CaptureStory, ATapAppliesTheResolutionPageAndAScrollUnlightsIt) {
    openCamera(1);
    openBar();
    auto resolution = bar().resolutionBtn;
    scroll(resolution, 2);  // page 3
    EXPECT_EQ(bar().resolutionIndex, 3);
    EXPECT_EQ(preset(), platform::AVCaptureSessionPresetHigh);

    touch(resolution);
    EXPECT_TRUE(showsMessage("640x480 Resolution"));
    EXPECT_EQ(preset(), platform::AVCaptureSessionPreset640x480);
    EXPECT_TRUE(s._resolutionSelected && s._tmpResolutionSelected);
    EXPECT_EQ(s.resolutionIndex, 3);

    // Scrolling a lit selector puts its light out at rest; the preset waits for a tap.
    scroll(resolution, 1);
    EXPECT_FALSE(resolution->isSelected());
    EXPECT_EQ(lightOf(*resolution), std::string(kImageFolder) + "lightOff.png");
    EXPECT_TRUE(bar().resolutionSelected);
    EXPECT_EQ(preset(), platform::AVCaptureSessionPreset640x480);
    EXPECT_EQ(bar().resolutionIndex, 4);

    touch(resolution);
    EXPECT_EQ(preset(), platform::AVCaptureSessionPreset352x288);
    run(3);
    touch(resolution);  // lit: back to "High", the page kept
    EXPECT_TRUE(showsMessage("High Resolution"));
    EXPECT_EQ(preset(), platform::AVCaptureSessionPresetHigh);
    EXPECT_FALSE(s._resolutionSelected);
    EXPECT_EQ(s.resolutionIndex, 4);

    // The top page jumps to 420, 1920x1080 again, which this camera cannot do.
    app.setCapability("preset:AVCaptureSessionPreset1920x1080", false);
    scroll(resolution, -4);
    EXPECT_EQ(offsetOf(*resolution), 420);
    EXPECT_EQ(bar().resolutionIndex, 7);
    run(3);
    touch(resolution);
    EXPECT_TRUE(showsMessage("1920x1080 Resolution not supported!"));
    EXPECT_FALSE(resolution->isSelected());
    EXPECT_EQ(lightOf(*resolution), std::string(kImageFolder) + "lightOff.png");
    EXPECT_TRUE(bar().resolutionSelected);
    EXPECT_EQ(preset(), platform::AVCaptureSessionPresetHigh);
    EXPECT_FALSE(s._resolutionSelected);
}

TEST_F(CaptureStory, SetFixesTheFrameRateAndDeselectingRestoresTheNormalRange) {
    openCamera(1);
    openBar();
    touch(bar().fpsBtn);
    ASSERT_TRUE(bar().selDial);
    bar().selDial->setTime(60);
    run(3);
    touch(bar().selDial->okBtn());
    EXPECT_EQ(connection().videoMinFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(connection().videoMaxFrameDuration(), CMTimeMake(1, 60));
    EXPECT_TRUE(showsMessage("Frame rate: 60 fps"));
    run(1);
    EXPECT_FALSE(bar().selDial);
    EXPECT_EQ(s._frameRateTime, 60);

    // The bar shown again keeps the button lit while the custom rate stays applied.
    touch(s.settingsButton);
    run(1);
    openBar();
    EXPECT_TRUE(bar().fpsBtn->isSelected());
    EXPECT_EQ(connection().videoMinFrameDuration(), CMTimeMake(1, 60));

    run(3);
    touch(bar().fpsBtn);
    EXPECT_FALSE(bar().fpsBtn->isSelected());
    EXPECT_EQ(connection().videoMinFrameDuration(), CMTimeMake(1, 30));
    EXPECT_EQ(connection().videoMaxFrameDuration(), CMTimeMake(1, 24));

    // A connection with a minimum limit only takes it, without a message.
    app.setCapability("max-frame-duration", false);
    run(3);
    touch(bar().fpsBtn);
    ASSERT_TRUE(bar().selDial);
    touch(bar().selDial->okBtn());
    EXPECT_EQ(connection().videoMinFrameDuration(), CMTimeMake(1, 60));
    EXPECT_FALSE(showsMessage("Frame rate: 60 fps"));
    run(1);
    EXPECT_FALSE(bar().selDial);
}

TEST_F(CaptureStory, WithoutAVideoConnectionTheRateCannotBeSet) {
    openCamera(1);
    openBar();
    app.setCapability("video-connection", false);
    touch(bar().fpsBtn);
    ASSERT_TRUE(bar().selDial);
    run(3);
    touch(bar().selDial->okBtn());
    EXPECT_TRUE(showsMessage("Could not set chosen frame rate"));
    EXPECT_FALSE(bar().fpsBtn->isSelected());
    run(1);
    EXPECT_TRUE(bar().selDial);

    // Back to normal without a connection fails too, and the button stays as it is.
    run(3);
    bar().setFrameRateBtnPress(nullptr);
    EXPECT_TRUE(showsMessage("Could not set chosen frame rate"));
    EXPECT_FALSE(bar().fpsBtn->isSelected());
}

TEST_F(CaptureStory, ARateBelowOneIsRefusedAndNeverReachesTheConnection) {
    openCamera(1);
    openBar();
    auto& video = connection();
    video.changeLog().clear();
    bar().fpsBtn->setSelected(true);
    bar().frameRateTime = 0;  // a stored rate of 0, no dial open
    bar().setFrameRateBtnPress(nullptr);
    EXPECT_TRUE(showsMessage("Could not set chosen frame rate"));
    EXPECT_TRUE(video.changeLog().entries().empty());
    EXPECT_EQ(video.videoMinFrameDuration(), CMTimeMake(1, 30));
    EXPECT_EQ(video.videoMaxFrameDuration(), CMTimeMake(1, 24));
    EXPECT_TRUE(bar().fpsBtn->isSelected());
}

TEST_F(CaptureStory, ARememberedOverlayReturnsAtOpeningAndAfterPanoramaWithoutASave) {
    platform::NSMutableDictionary prefs;
    prefs.setObject(platform::PlistValue(true), "rememberSettings");
    prefs.setObject(platform::PlistValue(true), "overlaySelected");
    prefs.setObject(platform::PlistValue(1), "overlayIndex");
    writePreferencesFile(prefs);
    struct stat before {};
    ASSERT_EQ(::stat(platform::devicePath(kPreferencesPath).c_str(), &before), 0);

    openCamera(0);
    EXPECT_EQ(sim::framingPicture(), "overlaySquare.png");
    ASSERT_TRUE(app.setPanorama(true));
    run(1);
    EXPECT_EQ(sim::framingPicture(), "none");
    EXPECT_FALSE(s.overlayIsShowing);
    ASSERT_TRUE(app.setPanorama(false));
    run(1);
    EXPECT_EQ(sim::framingPicture(), "overlaySquare.png");

    struct stat after {};
    ASSERT_EQ(::stat(platform::devicePath(kPreferencesPath).c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST_F(CaptureStory, RestoringInVideoUsesTheChoicesInForceUntilTheBarHasItsSelectors) {
    openCamera(0);
    openBar();  // a bar of photo mode: no video selectors yet
    s._tmpGuideSelected = true;
    s.guideIndex = 1;
    ASSERT_TRUE(app.setCameraMode(1));
    run(2);
    EXPECT_EQ(sim::framingPicture(), "2351.png");
    EXPECT_TRUE(s._tmpGuideSelected);
}

TEST(FrameRate, TheNormalRangeComparesWithTheDecimalsAndLeavesAnUnlimitedMaximum) {
    platform::Process process;
    auto video = platform::AVCaptureConnection::create(
        {platform::AVCaptureInputPort::create(platform::AVMediaTypeVideo)}, {true, true});
    video->setVideoMaxFrameDuration(CMTimeMake(1, 1000));
    video->changeLog().clear();
    EXPECT_TRUE(setNormalFrameRate(*video).any());
    EXPECT_EQ(video->videoMaxFrameDuration(), CMTimeMake(1, 1000));
    // 1/30 s is not the decimal 0.033333: the minimum is written again.
    ASSERT_EQ(video->changeLog().entries().size(), 1u);
    EXPECT_EQ(video->changeLog().entries()[0].what, "videoMinFrameDuration");

    auto bare = platform::AVCaptureConnection::create({}, {false, false});
    EXPECT_FALSE(setNormalFrameRate(*bare).any());
    EXPECT_FALSE(setCustomFrameRate(*bare, 60).any());
    EXPECT_FALSE(videoConnection(nullptr));
}

}  // namespace
}  // namespace snapforge::testing
