#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "host/HostTestSupport.h"
#include "host/Selectors.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIButton.h"

namespace host::testing {
namespace {

class LaunchTest : public CameraAppTest {
protected:
    void installHooks() override {
        Tracer<sel::init>::install("PLCameraController");
        Tracer<sel::initWithFrame>::install("PLPreviewOverlayView");
        Tracer<sel::layoutSubviews>::install("PLCameraButtonBar");
        Tracer<sel::viewDidAppear>::install("PLCameraView");
        Tracer<sel::startPreview>::install("PLCameraController");
        Tracer<sel::openIrisWithDidFinishSelector>::install("PLCameraView");
        Tracer<sel::stopPreview>::install("PLCameraController");
        Tracer<sel::dealloc, 1>::install("PLCameraView");
        Tracer<sel::dealloc, 2>::install("PLCameraButtonBar");
        hooksInstalledBeforeInit = app_.controller() == nullptr;
    }
    bool hooksInstalledBeforeInit = false;
};

TEST_F(LaunchTest, LaunchSendsEachStepThroughTheRuntimeInOrder) {
    app_.launch();

    EXPECT_TRUE(hooksInstalledBeforeInit);
    EXPECT_EQ(trace(), (std::vector<std::string>{
                           "PLCameraController init",
                           "PLPreviewOverlayView initWithFrame:",
                           "PLCameraButtonBar layoutSubviews",
                           "PLCameraView viewDidAppear",
                           "PLCameraController startPreview",
                           "PLCameraView openIrisWithDidFinishSelector:withDuration:",
                       }));
    // The hooks passed every step on: the host did its own work.
    auto view = app_.cameraView();
    EXPECT_TRUE(view->hasAppeared());
    EXPECT_TRUE(view->isIrisOpen());
    EXPECT_TRUE(app_.controller()->isPreviewRunning());
    EXPECT_TRUE(app_.controller()->currentDevice());
    EXPECT_EQ(app_.controller()->currentSession()->sessionPreset(), "AVCaptureSessionPresetPhoto");
}

TEST_F(LaunchTest, CameraScreenIsBuiltFromTheHostClasses) {
    app_.launch();
    auto view = app_.cameraView();
    auto window = app_.window();

    EXPECT_TRUE(app_.controller()->isMemberOfClass("PLCameraController"));
    EXPECT_TRUE(view->isMemberOfClass("PLCameraView"));
    EXPECT_TRUE(view->isKindOfClass("UIResponder"));
    EXPECT_TRUE(view->swipeScrollView()->isKindOfClass("UIScrollView"));
    EXPECT_TRUE(view->swipeScrollView()->isMemberOfClass("PLSwipeBlockingScrollView"));
    EXPECT_TRUE(view->previewOverlayView()->isMemberOfClass("PLPreviewOverlayView"));
    EXPECT_TRUE(view->shutterButton()->isMemberOfClass("PLCameraButton"));
    EXPECT_TRUE(view->shutterButton()->isKindOfClass("UIButton"));
    EXPECT_TRUE(view->buttonBar()->imageWell()->isMemberOfClass("PLCameraImageWellView"));

    // A level-0 window fills the screen with the camera view; the bar lies on top at the bottom.
    EXPECT_EQ(window->windowLevel(), 0);
    EXPECT_EQ(window->frame(), platform::CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(view->superview(), window.get());
    EXPECT_EQ(view->frame(), platform::CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(view->subviews().back(), view->buttonBar());
    EXPECT_EQ(view->buttonBar()->frame(), platform::CGRectMake(0, 384, 320, 96));
    EXPECT_EQ(view->shutterButton()->frame(), platform::CGRectMake(110, 12, 100, 72));
    EXPECT_EQ(view->buttonBar()->imageWell()->frame(), platform::CGRectMake(7, 23, 50, 50));
    // The overlay covers the visible preview page of the swipe strip.
    EXPECT_EQ(view->previewOverlayView()->convertRectToView(view->previewOverlayView()->bounds(),
                                                            view.get()),
              platform::CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(app_.shutterCenter(), platform::CGPointMake(160, 432));
    EXPECT_EQ(app_.previewCenter(), platform::CGPointMake(160, 240));
}

TEST_F(LaunchTest, CloseStopsThePreviewAndSendsDeallocsBeforeLettingGo) {
    app_.launch();
    std::weak_ptr<SimCameraView> view = app_.cameraView();
    std::weak_ptr<SimCameraButtonBar> bar = app_.cameraView()->buttonBar();
    trace().clear();

    app_.close();

    EXPECT_EQ(trace(),
              (std::vector<std::string>{"PLCameraController stopPreview", "PLCameraView dealloc",
                                        "PLCameraButtonBar dealloc"}));
    EXPECT_TRUE(view.expired());
    EXPECT_TRUE(bar.expired());
    EXPECT_FALSE(app_.isOpen());
    EXPECT_FALSE(app_.controller()->isPreviewRunning());
    EXPECT_TRUE(screen().visibleWindows().empty());

    // Opening again builds a new screen for the same controller, which is not initialised twice.
    trace().clear();
    app_.launch();
    EXPECT_EQ(traced("PLCameraController init"), 0);
    EXPECT_EQ(traced("PLPreviewOverlayView initWithFrame:"), 1);
    EXPECT_EQ(traced("PLCameraView openIrisWithDidFinishSelector:withDuration:"), 1);
    EXPECT_TRUE(app_.cameraView()->isIrisOpen());
}

TEST_F(LaunchTest, TheBarTakesTheTouchesThatLandOnItAsItIsDrawnOverThePreview) {
    app_.launch();
    // A control on the overlay reaching under the bar's top edge, and one in the bar.
    auto previewControl = platform::UIButton::create(platform::CGRectMake(10, 370, 74, 31));
    app_.cameraView()->previewOverlayView()->addSubview(previewControl);
    auto barControl = platform::UIButton::create(platform::CGRectMake(65, 30, 35, 35));
    app_.cameraView()->buttonBar()->addSubview(barControl);

    EXPECT_EQ(screen().hitTest({47, 380}), previewControl);
    EXPECT_EQ(screen().hitTest({47, 385.5f}), app_.cameraView()->buttonBar());
    EXPECT_EQ(screen().hitTest({80, 430}), barControl);
    EXPECT_EQ(screen().hitTest(*app_.shutterCenter()), app_.cameraView()->shutterButton());
    // A touch on the bar's empty area goes on to the camera view, the bar's superview.
    EXPECT_EQ(screen().hitTest({300, 470}), app_.cameraView()->buttonBar());
    tap({300, 470});
    EXPECT_EQ(app_.cameraView()->hostCallCount("touchesBegan:withEvent:"), 1);
}

TEST_F(LaunchTest, ClassesAreRegisteredOnceSoHooksSurvive) {
    app_.launch();
    registerHostClasses();
    trace().clear();
    app_.cameraView()->viewDidAppear();
    EXPECT_EQ(traced("PLCameraView viewDidAppear"), 1);
}

TEST_F(LaunchTest, ExtensionsLoadOnceAtTheFirstLaunch) {
    int loads = 0;
    CameraApp second([&] { ++loads; });
    second.launch();
    second.close();
    second.launch();
    EXPECT_EQ(loads, 1);
}

TEST_F(LaunchTest, IrisRunsItsFinishSelectorWhenTheAnimationEnds) {
    app_.launch();
    int finished = 0;
    static int* counter = nullptr;
    counter = &finished;
    const platform::Selector<void()> didFinish("testIrisDidFinish");
    platform::class_addMethod(
        platform::objc_getClass("PLCameraView"), didFinish,
        +[](platform::id, platform::SEL) { ++*counter; });

    app_.cameraView()->closeIrisWithDidFinishSelector(didFinish.sel, 0.3f);
    run(0.29);
    EXPECT_EQ(finished, 0);
    run(0.02);
    EXPECT_EQ(finished, 1);
}

TEST_F(LaunchTest, RotationTurnsTheStatusBarBeforeTheViewHears) {
    app_.launch();
    static int statusBarSeen = 0;
    static void (*original)(platform::id, platform::SEL, int) = nullptr;
    platform::MSHookMessageEx(
        platform::objc_getClass("PLCameraView"), sel::_windowWillAnimateRotationToOrientation,
        +[](platform::id self, platform::SEL cmd, int orientation) {
            statusBarSeen = platform::UIApplication::sharedApplication().statusBarOrientation();
            original(self, cmd, orientation);
        },
        &original);

    app_.rotate(3);

    EXPECT_EQ(statusBarSeen, 3);
    EXPECT_EQ(app_.cameraView()->orientation(), 3);
    EXPECT_EQ(eventTexts().back(), "rotated to 3");
}

}  // namespace
}  // namespace host::testing
