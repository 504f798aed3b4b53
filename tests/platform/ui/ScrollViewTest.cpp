#include <gtest/gtest.h>

#include "UITestSupport.h"
#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "platform/ui/UIWindow.h"

namespace platform {
namespace {

using testing::ActionTarget;
using testing::fireSel;

class ScrollListener : public UIScrollViewDelegate {
public:
    void scrollViewDidScroll(UIScrollView* scrollView) override {
        offsets.push_back(scrollView->contentOffset().y);
    }
    void scrollViewDidEndDecelerating(UIScrollView* scrollView) override {
        restedAt.push_back(scrollView->contentOffset().y);
    }
    void scrollViewDidEndScrollingAnimation(UIScrollView*) override { ++animationsEnded; }

    std::vector<CGFloat> offsets;
    std::vector<CGFloat> restedAt;
    int animationsEnded = 0;
};

// A 77 x 60 vertical paging strip of eight pages in a window at (100, 100).
struct StripScene {
    std::shared_ptr<UIWindow> window = UIWindow::create(UIScreen::mainScreen().bounds());
    std::shared_ptr<UIView> holder = UIView::create(CGRectMake(100, 100, 77, 60));
    std::shared_ptr<UIScrollView> strip = UIScrollView::create(CGRectMake(0, 0, 77, 60));
    std::shared_ptr<ScrollListener> listener = std::make_shared<ScrollListener>();
    StripScene() {
        strip->setPagingEnabled(true);
        strip->setContentSize({77, 480});
        strip->addSubview(UIImageView::create(CGRectMake(0, 0, 77, 480)));
        strip->setDelegate(listener);
        holder->addSubview(strip);
        window->addSubview(holder);
        window->setHidden(false);
    }
};

TEST(UIScrollView, AJumpWithoutAnimationScrollsOnceAndAtOnce) {
    Process process;
    StripScene scene;
    scene.strip->scrollRectToVisible(CGRectMake(0, 180, 77, 60), false);
    EXPECT_EQ(scene.strip->contentOffset().y, 180);
    EXPECT_EQ(scene.listener->offsets, std::vector<CGFloat>{180});

    // Already visible: no movement, no call.
    scene.strip->scrollRectToVisible(CGRectMake(0, 190, 77, 20), false);
    EXPECT_EQ(scene.listener->offsets.size(), 1u);
    // Past the end of the content the offset stops at the last page.
    scene.strip->scrollRectToVisible(CGRectMake(0, 600, 77, 60), false);
    EXPECT_EQ(scene.strip->contentOffset().y, 420);
    EXPECT_TRUE(scene.listener->restedAt.empty());
}

TEST(UIScrollView, AnimatedScrollStepsOnTheRunLoop) {
    Process process;
    StripScene scene;
    scene.strip->setContentOffset({0, 120}, true);
    EXPECT_EQ(scene.strip->contentOffset().y, 0);
    RunLoop::main().runFor(1);
    EXPECT_EQ(scene.strip->contentOffset().y, 120);
    EXPECT_EQ(scene.listener->offsets.size(), std::size_t(UIScrollView::kAnimationSteps));
    EXPECT_EQ(scene.listener->animationsEnded, 1);
}

TEST(UIScrollView, APagingDragSettlesInStepsThenRestsOnce) {
    Process process;
    StripScene scene;
    auto& screen = UIScreen::mainScreen();
    // Drag up by a page and a bit less than half: the strip settles on the next page.
    screen.touchDown({130, 150});
    screen.touchMove({130, 120});
    screen.touchMove({130, 65});
    EXPECT_TRUE(scene.strip->isDragging());
    EXPECT_EQ(scene.strip->contentOffset().y, 85);
    screen.touchUp({130, 65});
    EXPECT_TRUE(scene.strip->isDecelerating());
    const std::size_t duringDrag = scene.listener->offsets.size();
    RunLoop::main().runFor(1);

    EXPECT_EQ(scene.strip->contentOffset().y, 60);
    EXPECT_GT(scene.listener->offsets.size(), duringDrag + 1);
    EXPECT_EQ(scene.listener->offsets.back(), 60);
    EXPECT_EQ(scene.listener->restedAt, std::vector<CGFloat>{60});
    EXPECT_FALSE(scene.strip->isDecelerating());

    // A drag of exactly two pages rests there, still once.
    scene.strip->scrollByDragging({0, 120});
    RunLoop::main().runFor(1);
    EXPECT_EQ(scene.listener->restedAt, (std::vector<CGFloat>{60, 180}));
}

TEST(UIScrollView, AMovingTouchBecomesAScrollAndCancelsTheButton) {
    Process process;
    StripScene scene;
    auto button = UIButton::create(CGRectMake(0, 0, 77, 480));
    scene.strip->addSubview(button);
    auto target = ActionTarget::create();
    button->addTarget(target.get(), fireSel(), UIControlEventTouchCancel);
    auto tapped = ActionTarget::create();
    button->addTarget(tapped.get(), fireSel(), UIControlEventTouchUpInside);

    auto& screen = UIScreen::mainScreen();
    screen.tap({130, 130});
    EXPECT_EQ(tapped->fired.size(), 1u);

    screen.touchDown({130, 150});
    screen.touchMove({130, 145});
    EXPECT_FALSE(scene.strip->isDragging());
    screen.touchMove({130, 120});
    EXPECT_TRUE(scene.strip->isDragging());
    EXPECT_EQ(target->fired.size(), 1u);
    screen.touchUp({130, 120});
    EXPECT_EQ(tapped->fired.size(), 1u);
}

class RefusingScrollView : public UIScrollView {
public:
    using UIScrollView::UIScrollView;
    bool gestureRecognizerShouldBegin(UIGestureRecognizer*) override { return false; }
};

TEST(UIScrollView, ARefusedPanLeavesTheTouchWithTheView) {
    Process process;
    auto window = UIWindow::create(UIScreen::mainScreen().bounds());
    auto scroller = std::make_shared<RefusingScrollView>(CGRectMake(0, 0, 320, 480));
    scroller->setContentSize({640, 480});
    auto content = testing::TouchRecorder::create(CGRectMake(0, 0, 640, 480));
    scroller->addSubview(content);
    window->addSubview(scroller);
    window->setHidden(false);

    auto& screen = UIScreen::mainScreen();
    screen.touchDown({200, 200});
    screen.touchMove({100, 200});
    screen.touchUp({100, 200});
    EXPECT_EQ(scroller->contentOffset().x, 0);
    EXPECT_EQ(content->heard, (std::vector<std::string>{"began", "moved", "ended"}));
}

// A window that listens to a strip, as an overlay bar does.
class ListeningWindow : public UIWindow, public ScrollListener {
public:
    using UIWindow::UIWindow;
};

TEST(UIScrollView, AnyObjectThatIsADelegateCanBeSetFromItsId) {
    Process process;
    StripScene scene;
    auto bar = std::make_shared<ListeningWindow>(CGRectMake(0, 0, 320, 80));
    id object = bar.get();
    scene.strip->setDelegate(retain<UIScrollViewDelegate>(object));
    scene.strip->setContentOffset({0, 60});
    EXPECT_EQ(bar->offsets, std::vector<CGFloat>{60});
    bar.reset();
    scene.strip->setContentOffset({0, 120});
    EXPECT_EQ(scene.strip->delegate(), nullptr);
}

TEST(UIScrollView, ATapOnTheStripReachesARecogniserOfItsHolder) {
    Process process;
    StripScene scene;
    auto target = ActionTarget::create();
    scene.holder->addGestureRecognizer(UITapGestureRecognizer::create(target.get(), fireSel()));
    UIScreen::mainScreen().tap({130, 130});
    ASSERT_EQ(target->fired.size(), 1u);
    EXPECT_EQ(target->fired[0], scene.holder->gestureRecognizers()[0].get());
    // A scroll is no tap.
    scene.strip->setContentOffset({0, 0});
    auto& screen = UIScreen::mainScreen();
    screen.touchDown({130, 150});
    screen.touchMove({130, 100});
    screen.touchUp({130, 100});
    EXPECT_EQ(target->fired.size(), 1u);
}

}  // namespace
}  // namespace platform
