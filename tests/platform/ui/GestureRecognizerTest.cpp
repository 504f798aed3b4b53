#include <gtest/gtest.h>

#include "UITestSupport.h"
#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILongPressGestureRecognizer.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "platform/ui/UIWindow.h"

namespace platform {
namespace {

using testing::ActionTarget;
using testing::fireSel;
using testing::TouchRecorder;

// A camera-like view filling a shown window, with an overlay image view on it.
struct PressScene {
    std::shared_ptr<UIWindow> window = UIWindow::create(UIScreen::mainScreen().bounds());
    std::shared_ptr<TouchRecorder> view = TouchRecorder::create(UIScreen::mainScreen().bounds());
    std::shared_ptr<ActionTarget> target = ActionTarget::create();
    std::shared_ptr<UILongPressGestureRecognizer> press =
        UILongPressGestureRecognizer::create(target.get(), fireSel());

    PressScene() {
        view->addSubview(UIImageView::create(CGRectMake(100, 100, 90, 90)));
        view->addGestureRecognizer(press);
        window->addSubview(view);
        window->setHidden(false);
    }
};

TEST(UILongPressGestureRecognizer, BeginsAfterHalfASecondAndTheTouchStillEnds) {
    Process process;
    PressScene scene;
    auto& screen = UIScreen::mainScreen();
    screen.touchDown({150, 150});
    RunLoop::main().runFor(0.49);
    EXPECT_TRUE(scene.target->fired.empty());
    RunLoop::main().runFor(0.02);
    ASSERT_EQ(scene.target->fired.size(), 1u);
    EXPECT_EQ(scene.target->fired[0], scene.press.get());
    EXPECT_EQ(scene.press->state(), UIGestureRecognizerStateBegan);
    EXPECT_EQ(scene.press->locationInView(scene.view.get()), CGPointMake(150, 150));

    screen.touchMove({160, 150});
    screen.touchUp({160, 150});
    EXPECT_EQ(scene.target->states,
              (std::vector<int>{UIGestureRecognizerStateBegan, UIGestureRecognizerStateChanged,
                                UIGestureRecognizerStateEnded}));
    EXPECT_EQ(scene.press->state(), UIGestureRecognizerStatePossible);
    EXPECT_EQ(scene.view->heard, (std::vector<std::string>{"began", "moved", "ended"}));
}

TEST(UILongPressGestureRecognizer, MovingOrLiftingEarlyFails) {
    Process process;
    PressScene scene;
    auto& screen = UIScreen::mainScreen();
    screen.touchDown({150, 150});
    screen.touchMove({150, 165});
    RunLoop::main().runFor(1);
    screen.touchUp({150, 165});

    screen.touchDown({50, 50});
    RunLoop::main().runFor(0.3);
    screen.touchUp({50, 50});
    RunLoop::main().runFor(1);
    EXPECT_TRUE(scene.target->fired.empty());
    EXPECT_EQ(RunLoop::main().pendingCount(), 0u);
}

class Refusing : public TouchRecorder {
public:
    using TouchRecorder::TouchRecorder;
    bool gestureRecognizerShouldBegin(UIGestureRecognizer*) override { return false; }
};

TEST(UITapGestureRecognizer, RecognisesQuickStillTapsUnlessItsViewRefuses) {
    Process process;
    auto window = UIWindow::create(UIScreen::mainScreen().bounds());
    window->setHidden(false);
    auto view = std::make_shared<Refusing>(CGRectMake(0, 0, 100, 100));
    auto child = UIView::create(CGRectMake(10, 10, 20, 20));
    view->addSubview(child);
    window->addSubview(view);
    auto target = ActionTarget::create();
    auto tap = UITapGestureRecognizer::create(target.get(), fireSel());
    child->addGestureRecognizer(tap);

    auto& screen = UIScreen::mainScreen();
    screen.tap({15, 15});
    EXPECT_EQ(target->fired.size(), 1u);
    screen.touchDown({15, 15});
    screen.touchMove({28, 15});
    screen.touchUp({28, 15});
    EXPECT_EQ(target->fired.size(), 1u);

    // Moved to a view that refuses, the recogniser fails.
    view->addGestureRecognizer(tap);
    EXPECT_TRUE(child->gestureRecognizers().empty());
    EXPECT_EQ(tap->view(), view.get());
    RunLoop::main().runFor(1);
    screen.tap({50, 50});
    EXPECT_EQ(target->fired.size(), 1u);
}

TEST(UIGestureRecognizer, TargetsAreHeldWeakly) {
    Process process;
    auto window = UIWindow::create(UIScreen::mainScreen().bounds());
    window->setHidden(false);
    auto target = ActionTarget::create();
    auto tap = UITapGestureRecognizer::create(target.get(), fireSel());
    window->addGestureRecognizer(tap);
    std::weak_ptr<ActionTarget> weak = target;
    target.reset();
    EXPECT_TRUE(weak.expired());
    UIScreen::mainScreen().tap({10, 10});
    EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible);
}

}  // namespace
}  // namespace platform
