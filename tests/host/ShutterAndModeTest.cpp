#include <gtest/gtest.h>

#include "host/HostTestSupport.h"
#include "host/Selectors.h"

namespace host::testing {
namespace {

using platform::id;
using platform::SEL;

class ShutterTest : public CameraAppTest {
protected:
    void installHooks() override {
        Tracer<sel::cameraShutterClicked>::install("PLCameraView");
        Tracer<sel::closeIrisWithDidFinishSelector>::install("PLCameraView");
        Tracer<sel::openIrisWithDidFinishSelector>::install("PLCameraView");
        Tracer<sel::cameraControllerDidTakePhoto>::install("PLCameraView");
        Tracer<sel::_setCameraMode>::install("PLCameraController");
        Tracer<sel::layoutSubviews>::install("PLCameraButtonBar");
    }

    void launchAndSettle() {
        app_.launch();
        run(1);
        trace().clear();
    }
};

TEST_F(ShutterTest, ShutterTapTakesAPhotoBetweenIrisCloseAndOpen) {
    launchAndSettle();
    const auto before = eventTexts().size();

    ASSERT_TRUE(app_.pressShutter());
    // The press is answered first; the iris closes at the next turn of the run loop.
    EXPECT_EQ(trace(), std::vector<std::string>{"PLCameraView cameraShutterClicked:"});
    EXPECT_TRUE(app_.cameraView()->isIrisOpen());
    EXPECT_EQ(app_.photoCount(), 0);

    run(0.1);
    EXPECT_EQ(app_.photoCount(), 1);
    EXPECT_FALSE(app_.cameraView()->isIrisOpen());
    run(SimCameraView::kIrisClosedSeconds);
    EXPECT_TRUE(app_.cameraView()->isIrisOpen());

    EXPECT_EQ(trace(), (std::vector<std::string>{
                           "PLCameraView cameraShutterClicked:",
                           "PLCameraView closeIrisWithDidFinishSelector:withDuration:",
                           "PLCameraView cameraControllerDidTakePhoto:",
                           "PLCameraView openIrisWithDidFinishSelector:withDuration:",
                       }));
    const auto texts = eventTexts();
    EXPECT_EQ(std::vector<std::string>(texts.begin() + before, texts.end()),
              (std::vector<std::string>{"iris closed", "photo 1 taken", "iris opened"}));
    EXPECT_DOUBLE_EQ(app_.photos()[0].time, 1.0);
    EXPECT_EQ(app_.cameraView()->buttonBar()->imageWell()->photoNumber(), 1);
}

// A long time lapse counts every photo but keeps only the latest, numbered on from the count.
TEST_F(ShutterTest, ThousandsOfPhotosAreCountedWhileOnlyTheLatestAreKept) {
    launchAndSettle();
    const int taken = 3 * static_cast<int>(SimCameraController::kKeptPhotos);
    for (int i = 0; i < taken; ++i) {
        app_.controller()->capturePhoto(1);
    }
    ASSERT_TRUE(app_.pressShutter());
    run(1 + SimCameraView::kIrisClosedSeconds);

    EXPECT_EQ(app_.photoCount(), taken + 1);
    EXPECT_GE(app_.photos().size(), SimCameraController::kKeptPhotos);
    EXPECT_LE(app_.photos().size(), 2 * SimCameraController::kKeptPhotos);
    EXPECT_EQ(app_.photos().back().number, taken + 1);
    EXPECT_EQ(app_.photos().front().number, taken + 2 - static_cast<int>(app_.photos().size()));
    EXPECT_EQ(app_.cameraView()->buttonBar()->imageWell()->photoNumber(), taken + 1);
}

TEST_F(ShutterTest, AnswerTellsWhetherThePressTakesAPhoto) {
    launchAndSettle();
    auto view = app_.cameraView();
    EXPECT_TRUE(view->cameraShutterClicked(view->shutterButton().get()));
    // While the photo is being taken a second press is refused.
    EXPECT_FALSE(view->cameraShutterClicked(view->shutterButton().get()));
    run(1);
    EXPECT_EQ(app_.photoCount(), 1);
    EXPECT_TRUE(view->cameraShutterClicked(nullptr));
    run(1);
    EXPECT_EQ(app_.photoCount(), 2);
}

TEST_F(ShutterTest, PressShutterButtonGoesThroughTheShutterMessage) {
    launchAndSettle();
    app_.cameraView()->pressShutterButton();
    EXPECT_EQ(eventTexts().back(), "shutter pressed by pressShutterButton");
    run(1);
    EXPECT_EQ(traced("PLCameraView cameraShutterClicked:"), 1);
    EXPECT_EQ(app_.photoCount(), 1);
    // The photo follows the press at once, well within a second.
    EXPECT_LE(app_.photos()[0].time - 1.0, 1.0);
}

bool (*originalShutter)(id, SEL, id) = nullptr;
bool withholdShutter(id, SEL, id) {
    return false;
}

TEST_F(ShutterTest, AHookThatWithholdsThePressLeavesNoPhoto) {
    launchAndSettle();
    platform::MSHookMessageEx(platform::objc_getClass("PLCameraView"), sel::cameraShutterClicked,
                              withholdShutter, &originalShutter);
    app_.pressShutter();
    run(1);
    EXPECT_EQ(app_.photoCount(), 0);
    EXPECT_EQ(traced("PLCameraView closeIrisWithDidFinishSelector:withDuration:"), 0);
}

TEST_F(ShutterTest, PhotoVideoSwitchClosesTheIrisChangesModeAndReopens) {
    launchAndSettle();
    ASSERT_TRUE(app_.setCameraMode(SimCameraController::kVideoMode));

    EXPECT_EQ(app_.controller()->cameraMode(), 1);
    EXPECT_FALSE(app_.cameraView()->isIrisOpen());
    EXPECT_EQ(app_.controller()->currentSession()->sessionPreset(), "AVCaptureSessionPresetHigh");
    // A second switch while the first runs is refused.
    EXPECT_FALSE(app_.setCameraMode(SimCameraController::kPhotoMode));
    run(SimCameraView::kIrisClosedSeconds);
    EXPECT_TRUE(app_.cameraView()->isIrisOpen());
    EXPECT_EQ(trace(), (std::vector<std::string>{
                           "PLCameraView closeIrisWithDidFinishSelector:withDuration:",
                           "PLCameraController _setCameraMode:cameraDevice:",
                           "PLCameraButtonBar layoutSubviews",
                           "PLCameraView openIrisWithDidFinishSelector:withDuration:",
                       }));
    EXPECT_EQ(eventTexts().back(), "iris opened");
    EXPECT_FALSE(app_.setCameraMode(SimCameraController::kVideoMode));
    EXPECT_EQ(eventTexts().back(), "switch to video mode refused: already in video mode");
}

TEST_F(ShutterTest, EachRefusalSaysWhyInTheTimeline) {
    launchAndSettle();
    auto view = app_.cameraView();
    EXPECT_FALSE(view->shutterRefusal());
    EXPECT_TRUE(view->cameraShutterClicked(nullptr));
    // Until the iris closes at the next turn, the photo under way refuses a second one.
    EXPECT_EQ(view->shutterRefusal(), "taking a photo");
    run(0.1);
    EXPECT_FALSE(view->cameraShutterClicked(nullptr));
    EXPECT_EQ(eventTexts().back(), "shutter ignored: iris closed");
    EXPECT_EQ(app_.modeSwitchRefusal(SimCameraController::kVideoMode), "iris closed");
    run(1);
    EXPECT_EQ(app_.modeSwitchRefusal(SimCameraController::kPhotoMode), "already in photo mode");
    EXPECT_EQ(app_.panoramaRefusal(false), "panorama already off");
    app_.controller()->stopPreview();
    EXPECT_FALSE(view->cameraShutterClicked(nullptr));
    EXPECT_EQ(eventTexts().back(), "shutter ignored: preview stopped");
    app_.close();
    EXPECT_EQ(app_.modeSwitchRefusal(SimCameraController::kVideoMode), "camera closed");
    EXPECT_EQ(app_.panoramaRefusal(true), "camera closed");
}

TEST_F(ShutterTest, InVideoModeTheShutterRecordsInsteadOfTakingPhotos) {
    launchAndSettle();
    app_.setCameraMode(SimCameraController::kVideoMode);
    run(1);
    auto view = app_.cameraView();
    EXPECT_FALSE(view->cameraShutterClicked(nullptr));
    EXPECT_TRUE(app_.controller()->isRecording());
    EXPECT_FALSE(view->cameraShutterClicked(nullptr));
    EXPECT_FALSE(app_.controller()->isRecording());
    run(1);
    EXPECT_EQ(app_.photoCount(), 0);
    EXPECT_EQ(traced("PLCameraView closeIrisWithDidFinishSelector:withDuration:"), 1);
}

TEST_F(ShutterTest, PanoramaOnlyFromPhotoModeAndItsExitShowsTheIris) {
    launchAndSettle();
    EXPECT_TRUE(app_.setPanorama(true));
    EXPECT_TRUE(app_.cameraView()->isInPanorama());
    EXPECT_FALSE(app_.setPanorama(true));
    EXPECT_TRUE(app_.setPanorama(false));
    EXPECT_FALSE(app_.cameraView()->isInPanorama());
    EXPECT_EQ(traced("PLCameraView openIrisWithDidFinishSelector:withDuration:"), 1);

    app_.setCameraMode(SimCameraController::kVideoMode);
    run(1);
    EXPECT_FALSE(app_.setPanorama(true));
}

TEST_F(ShutterTest, BackgroundStopsThePreviewAndTellsObservers) {
    launchAndSettle();
    int heard = 0;
    struct Listener : platform::Object {
        int* count = nullptr;
        void heard(id) { ++*count; }
    };
    auto listener = std::make_shared<Listener>();
    listener->count = &heard;
    platform::Class* cls = platform::Runtime::shared().registerClass("TestListener", "NSObject");
    const platform::Selector<void(id)> heardSel("heard:");
    platform::class_addMemberMethod<&Listener::heard>(cls, heardSel);
    listener->setObjcClass(cls);
    platform::NSNotificationCenter::defaultCenter().addObserver(
        listener.get(), heardSel.sel, platform::UIApplicationDidEnterBackgroundNotification,
        nullptr);

    app_.enterBackground();
    EXPECT_EQ(heard, 1);
    EXPECT_FALSE(app_.controller()->isPreviewRunning());
    app_.pressShutter();
    run(1);
    EXPECT_EQ(app_.photoCount(), 0);

    trace().clear();
    app_.enterForeground();
    EXPECT_TRUE(app_.controller()->isPreviewRunning());
    EXPECT_EQ(traced("PLCameraView openIrisWithDidFinishSelector:withDuration:"), 1);
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace host::testing
