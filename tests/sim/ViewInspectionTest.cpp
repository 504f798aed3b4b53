#include "sim/ViewInspection.h"

#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIWindow.h"

namespace sim {
namespace {

using namespace platform;

struct Screen {
    Process process;
    std::shared_ptr<UIWindow> window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    Screen() { window->makeKeyAndVisible(); }
};

TEST(ViewInspection, AButtonHalfUnderAnotherViewIsTouchedWhereItShows) {
    Screen screen;
    auto button = UIButton::create(CGRectMake(10, 370, 74, 31));
    auto bar = UIView::create(CGRectMake(0, 384, 320, 96));
    screen.window->addSubview(button);
    screen.window->addSubview(bar);

    const auto point = inspect::touchPoint(*button);
    ASSERT_TRUE(point);
    EXPECT_LT(point->y, 384);
    EXPECT_GT(point->y, 370);
    EXPECT_NEAR(point->x, 47, 2);

    // Wholly covered, no touch reaches it; uncovered, it is touched at its centre.
    bar->setFrame(CGRectMake(0, 300, 320, 180));
    EXPECT_FALSE(inspect::touchPoint(*button));
    bar->setHidden(true);
    EXPECT_EQ(inspect::touchPoint(*button), (CGPoint{47, 385.5f}));
}

TEST(ViewInspection, APictureIsTouchedAtItsCentreForItsSuperviewsToHear) {
    Screen screen;
    auto picture = UIImageView::create(CGRectMake(115, 195, 90, 90));
    screen.window->addSubview(picture);
    screen.window->addSubview(UIView::create(CGRectMake(0, 0, 320, 480)));
    EXPECT_EQ(inspect::touchPoint(*picture), (CGPoint{160, 240}));
}

TEST(ViewInspection, ShowingNeedsAVisibleWindowAndNoHiddenOrClearAncestor) {
    Screen screen;
    auto parent = UIView::create(CGRectMake(10, 10, 100, 100));
    auto child = UIView::create(CGRectMake(5, 5, 10, 10));
    parent->addSubview(child);
    EXPECT_FALSE(inspect::isShowing(*child));  // not in a window yet
    screen.window->addSubview(parent);
    EXPECT_TRUE(inspect::isShowing(*child));
    parent->setAlpha(0.005f);
    EXPECT_FALSE(inspect::isShowing(*child));
    parent->setAlpha(1);
    screen.window->setHidden(true);
    EXPECT_FALSE(inspect::isShowing(*child));
    screen.window->setHidden(false);
    EXPECT_EQ(inspect::screenFrame(*child), CGRectMake(15, 15, 10, 10));
    EXPECT_EQ(inspect::screenCentre(*child), (CGPoint{20, 20}));
}

TEST(ViewInspection, AViewStandsWhereItsUntransformedFrameIs) {
    Screen screen;
    auto view = UIView::create(CGRectMake(160, 260, 90, 90));
    screen.window->addSubview(view);
    view->setTransform(CGAffineTransformMakeScale(1.5f, 1.5f));
    EXPECT_EQ(view->frame().origin, (CGPoint{137.5f, 237.5f}));
    EXPECT_EQ(inspect::standingOrigin(*view), (CGPoint{160, 260}));
    EXPECT_EQ(inspect::screenFrame(*view), CGRectMake(137.5f, 237.5f, 135, 135));
}

}  // namespace
}  // namespace sim
