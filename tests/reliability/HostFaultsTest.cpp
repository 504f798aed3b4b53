#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "host/Selectors.h"
#include "snapforge/CameraStory.h"
#include "snapforge/focus/WhiteBalanceButton.h"

namespace snapforge::testing {
namespace {

class HostFaults : public CameraStory {
protected:
    void expectNoUnknownMessages() {
        EXPECT_TRUE(platform::Runtime::shared().unrecognizedSelectors().empty());
    }
};

TEST_F(HostFaults, ACameraClosedBetweenAShutterPressAndItsPhotoForgetsThatPhoto) {
    launch();
    const int photos = app.photoCount();
    ASSERT_TRUE(app.pressShutter());
    app.close();
    run(3);
    EXPECT_FALSE(s.capturingPhoto);

    launch();
    EXPECT_LE(app.photoCount(), photos + 1);
    const int before = app.photoCount();
    // The next session's first iris close is a mode switch, not that photo: the lock goes.
    ASSERT_TRUE(s.wbLockButton);
    s.wbLockButton->setSelected(true);
    ASSERT_TRUE(app.setCameraMode(1));
    run(2);
    EXPECT_FALSE(s.wbLockButton->isSelected());
    ASSERT_TRUE(app.setCameraMode(0));
    run(2);
    ASSERT_TRUE(app.pressShutter());
    run(3);
    EXPECT_EQ(app.photoCount(), before + 1);
    EXPECT_FALSE(s.capturingPhoto);
    expectNoUnknownMessages();
}

TEST_F(HostFaults, RotationsDuringAnIrisCloseEndWithThePhotoTakenAndTheFlagsAtRest) {
    launch();
    const int photos = app.photoCount();
    ASSERT_TRUE(app.pressShutter());
    run(0.1);
    app.rotate(3);
    run(0.1);
    app.rotate(4);
    run(3);
    EXPECT_EQ(app.photoCount(), photos + 1);
    EXPECT_FALSE(s.capturingPhoto);

    ASSERT_TRUE(app.setCameraMode(1));
    run(0.1);
    app.rotate(2);
    run(2);
    ASSERT_TRUE(app.pressShutter());
    app.rotate(1);
    app.close();
    app.rotate(3);
    run(3);
    EXPECT_FALSE(s.capturingPhoto);
    launch();
    EXPECT_TRUE(app.isOpen());
    expectNoUnknownMessages();
}

// The host lets go of its controller while its camera view still lives and hears touches,
// the shutter, rotations and mode switches; the library only ever refers to the controller.
TEST_F(HostFaults, AControllerGoneBeforeItsViewLeavesTheLibraryQuiet) {
    host::registerHostClasses();
    SnapforgeInitialize();
    auto events = std::make_shared<host::HostEventFeed>();
    auto controller = host::SimCameraController::create(events);
    platform::send(controller.get(), host::sel::init);
    const auto bounds = screen().bounds();
    const auto window = platform::UIWindow::create(bounds);
    auto view = host::SimCameraView::create(bounds, controller, events);
    window->addSubview(view);
    window->makeKeyAndVisible();
    if (const auto bar = view->buttonBar()) {
        bar->layoutSubviews();
    }
    view->viewDidAppear();
    controller->startPreview();
    view->openIrisWithDidFinishSelector(nullptr, host::SimCameraView::kIrisSeconds);
    run(1);

    controller.reset();
    EXPECT_TRUE(s.cameraController.expired());
    const platform::CGPoint preview{160, 200};
    tap(preview);
    hold(preview, 1);
    drag(preview, {60, 100});
    view->cameraShutterClicked(nullptr);
    view->rotate(3);
    view->switchCameraMode(1);
    view->setPanorama(true);
    run(3);
    EXPECT_FALSE(s.capturingPhoto);

    const auto bar = view->buttonBar();
    view->dealloc();
    if (bar) {
        bar->dealloc();
    }
    window->setHidden(true);
    view.reset();
    run(1);
    EXPECT_TRUE(s.cameraView.expired());
    expectNoUnknownMessages();
}

}  // namespace
}  // namespace snapforge::testing
