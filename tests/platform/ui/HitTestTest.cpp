#include <gtest/gtest.h>

#include "UITestSupport.h"
#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"

namespace platform {
namespace {

using testing::TouchRecorder;

std::shared_ptr<UIWindow> shownWindow(CGRect frame, UIWindowLevel level) {
    auto window = UIWindow::create(frame);
    window->setWindowLevel(level);
    window->setHidden(false);
    return window;
}

TEST(UIScreenHitTest, SkipsHiddenAndTransparentViewsAndWhatTakesNoTouches) {
    Process process;
    auto window = shownWindow(UIScreen::mainScreen().bounds(), UIWindowLevelNormal);
    auto below = TouchRecorder::create(CGRectMake(0, 0, 100, 100));
    auto hidden = TouchRecorder::create(CGRectMake(0, 0, 100, 100));
    auto faded = TouchRecorder::create(CGRectMake(0, 0, 100, 100));
    auto label = UILabel::create(CGRectMake(0, 0, 100, 100));
    window->addSubview(below);
    window->addSubview(hidden);
    window->addSubview(faded);
    window->addSubview(label);
    hidden->setHidden(true);
    faded->setAlpha(0.005f);

    EXPECT_EQ(UIScreen::mainScreen().hitTest({50, 50}), below);
    faded->setAlpha(0.01f);
    EXPECT_EQ(UIScreen::mainScreen().hitTest({50, 50}), faded);
    // Outside every subview the window itself takes the touch; off the window nothing does.
    EXPECT_EQ(UIScreen::mainScreen().hitTest({200, 200}), window);
    EXPECT_EQ(UIScreen::mainScreen().hitTest({-5, 50}), nullptr);
}

TEST(UIScreenHitTest, WindowLevelsThenLatestShownOnTop) {
    Process process;
    auto high = shownWindow(CGRectMake(0, 0, 100, 100), 1999);
    auto first = shownWindow(CGRectMake(0, 0, 200, 200), UIWindowLevelNormal);
    auto second = shownWindow(CGRectMake(0, 0, 200, 200), UIWindowLevelNormal);

    auto& screen = UIScreen::mainScreen();
    EXPECT_EQ(screen.hitTest({50, 50}), high);
    EXPECT_EQ(screen.hitTest({150, 150}), second);
    // Showing again brings a window to the top of its level, never above a higher level.
    first->setHidden(true);
    first->setHidden(false);
    EXPECT_EQ(screen.hitTest({150, 150}), first);
    EXPECT_EQ(screen.hitTest({50, 50}), high);
    EXPECT_EQ(screen.visibleWindows(),
              (std::vector<std::shared_ptr<UIWindow>>{second, first, high}));
    second->makeKeyAndVisible();
    EXPECT_EQ(screen.hitTest({150, 150}), second);
    EXPECT_TRUE(second->isKeyWindow());
}

TEST(UIScreenHitTest, AFreedWindowIsGone) {
    Process process;
    auto host = shownWindow(UIScreen::mainScreen().bounds(), UIWindowLevelNormal);
    auto overlay = shownWindow(CGRectMake(0, 0, 100, 100), 1999);
    EXPECT_EQ(UIScreen::mainScreen().hitTest({10, 10}), overlay);
    EXPECT_EQ(UIScreen::mainScreen().windows().size(), 2u);

    overlay.reset();
    EXPECT_EQ(UIScreen::mainScreen().hitTest({10, 10}), host);
    EXPECT_EQ(UIScreen::mainScreen().windows().size(), 1u);
}

TEST(UIScreenTouches, ATouchOnAnImageViewReachesItsSuperview) {
    Process process;
    auto window = shownWindow(UIScreen::mainScreen().bounds(), UIWindowLevelNormal);
    auto cameraView = TouchRecorder::create(CGRectMake(0, 20, 320, 400));
    auto reticle = UIImageView::create(CGRectMake(100, 100, 90, 90));
    window->addSubview(cameraView);
    cameraView->addSubview(reticle);

    auto& screen = UIScreen::mainScreen();
    screen.touchDown({150, 170});
    screen.touchMove({152, 171});
    screen.touchUp({152, 171});
    EXPECT_EQ(cameraView->heard, (std::vector<std::string>{"began", "moved", "ended"}));
    EXPECT_EQ(cameraView->locations[0], CGPointMake(150, 150));
}

TEST(UIScreenTouches, PlainViewsPassTouchesUpAndTouchesOutsideEverythingGoNowhere) {
    Process process;
    auto window = shownWindow(CGRectMake(0, 0, 100, 100), UIWindowLevelNormal);
    auto parent = TouchRecorder::create(CGRectMake(0, 0, 100, 100));
    auto child = UIView::create(CGRectMake(10, 10, 20, 20));
    window->addSubview(parent);
    parent->addSubview(child);

    auto& screen = UIScreen::mainScreen();
    screen.tap({15, 15});
    EXPECT_EQ(parent->heard, (std::vector<std::string>{"began", "ended"}));
    screen.tap({300, 300});
    EXPECT_EQ(parent->heard.size(), 2u);
    EXPECT_FALSE(screen.isTouching());
}

TEST(UIScreenTouches, RepeatedQuickTapsCountUp) {
    Process process;
    auto window = shownWindow(UIScreen::mainScreen().bounds(), UIWindowLevelNormal);
    auto& screen = UIScreen::mainScreen();
    std::vector<int> counts;
    auto record = [&] { counts.push_back(screen.currentTouch()->tapCount()); };
    screen.touchDown({50, 50});
    record();
    screen.touchUp({50, 50});
    RunLoop::main().runFor(0.2);
    screen.touchDown({55, 52});
    record();
    screen.touchUp({55, 52});
    RunLoop::main().runFor(0.5);
    screen.touchDown({55, 52});
    record();
    screen.touchUp({55, 52});
    screen.touchDown({200, 300});
    record();
    screen.touchUp({200, 300});
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 1, 1}));
}

TEST(UIViewGeometry, ConversionsHonourBoundsOriginsAndTransforms) {
    Process process;
    auto window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto panel = UIView::create(CGRectMake(100, 100, 100, 50));
    auto inner = UIView::create(CGRectMake(10, 10, 20, 20));
    window->addSubview(panel);
    panel->addSubview(inner);

    EXPECT_EQ(inner->convertPointToView({0, 0}, nullptr), CGPointMake(110, 110));
    EXPECT_EQ(window->convertPointToView({115, 115}, inner.get()), CGPointMake(5, 5));
    EXPECT_EQ(inner->convertPointFromView({115, 115}, nullptr), CGPointMake(5, 5));

    auto bounds = panel->bounds();
    bounds.origin = {0, 30};  // content scrolled up by 30
    panel->setBounds(bounds);
    EXPECT_EQ(inner->convertPointToView({0, 0}, nullptr), CGPointMake(110, 80));

    // A half-turn about the centre keeps the frame and mirrors points inside.
    panel->setBounds(CGRectMake(0, 0, 100, 50));
    panel->setTransform(CGAffineTransformMakeScale(-1, -1));
    EXPECT_EQ(panel->frame(), CGRectMake(100, 100, 100, 50));
    EXPECT_EQ(panel->convertPointFromSuperview({110, 110}), CGPointMake(90, 40));
    // Setting the frame of a scaled view resizes its bounds under the scale.
    panel->setTransform(CGAffineTransformMakeScale(2, 2));
    panel->setFrame(CGRectMake(0, 0, 100, 100));
    EXPECT_EQ(panel->bounds().size, CGSizeMake(50, 50));
    EXPECT_EQ(panel->center(), CGPointMake(50, 50));
}

TEST(UIViewTree, SubviewsMoveBetweenParentsAndTagsSearchDepthFirst) {
    Process process;
    auto a = UIView::create();
    auto b = UIView::create();
    auto child = UIView::create();
    auto grandchild = UIView::create();
    auto sibling = UIView::create();
    child->setTag(7);
    grandchild->setTag(9);
    sibling->setTag(9);
    a->addSubview(child);
    child->addSubview(grandchild);
    a->addSubview(sibling);
    EXPECT_EQ(a->viewWithTag(9), grandchild);
    a->setTag(9);
    EXPECT_EQ(a->viewWithTag(9), a);

    b->addSubview(child);
    EXPECT_EQ(child->superview(), b.get());
    EXPECT_EQ(a->subviews().size(), 1u);
    child->addSubview(b);  // an ancestor cannot become a subview
    EXPECT_EQ(child->subviews().size(), 1u);

    b->addSubview(sibling);
    b->bringSubviewToFront(child.get());
    EXPECT_EQ(b->subviews().back(), child);
    child->removeFromSuperview();
    EXPECT_EQ(child->superview(), nullptr);
    EXPECT_EQ(b->subviews().size(), 1u);

    // A freed superview leaves no dangling back link.
    auto orphan = UIView::create();
    {
        auto parent = UIView::create();
        parent->addSubview(orphan);
    }
    EXPECT_EQ(orphan->superview(), nullptr);
    EXPECT_TRUE(orphan->isKindOfClass("UIResponder"));
}

}  // namespace
}  // namespace platform
