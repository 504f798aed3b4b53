#include "sim/Gestures.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIWindow.h"
#include "sim/CompactNumber.h"

namespace sim {
namespace {

using namespace platform;

class Recorder : public UIView {
public:
    using UIView::UIView;
    void touchesBegan(const UITouchSet& t, UIEvent*) override { note("began", t); }
    void touchesMoved(const UITouchSet& t, UIEvent*) override { note("moved", t); }
    void touchesEnded(const UITouchSet& t, UIEvent*) override { note("ended", t); }

    std::vector<std::string> heard;

private:
    void note(const char* what, const UITouchSet& touches) {
        heard.push_back(std::string(what) + " " +
                        compactPoint(touches.anyObject()->locationInView(this)) + " at " +
                        compactNumber(RunLoop::main().now()));
    }
};

struct Screen {
    Process process;
    std::shared_ptr<UIWindow> window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>(CGRectMake(0, 0, 320, 480));
    std::vector<double> slices;
    gestures::Advance advance = [this](double seconds) {
        slices.push_back(seconds);
        RunLoop::main().runFor(seconds);
    };

    Screen() {
        window->addSubview(recorder);
        window->makeKeyAndVisible();
    }
};

TEST(Gestures, TapAndHoldKeepTheFingerDownForTheirTime) {
    Screen screen;
    gestures::tap({200, 300}, screen.advance);
    gestures::hold({10, 20}, 1, screen.advance);
    EXPECT_EQ(screen.recorder->heard,
              (std::vector<std::string>{"began 200,300 at 0", "ended 200,300 at 0.05",
                                        "began 10,20 at 0.05", "ended 10,20 at 1.05"}));
}

TEST(Gestures, DragMovesEverySixtiethOfASecondAlongTheLine) {
    Screen screen;
    gestures::drag({100, 100}, {160, 160}, 0.3, screen.advance);
    const auto& heard = screen.recorder->heard;
    ASSERT_EQ(heard.size(), 20u);  // down, 18 moves, up
    EXPECT_EQ(heard.front(), "began 100,100 at 0");
    EXPECT_EQ(heard[1], "moved 103.3333,103.3333 at 0.0167");
    EXPECT_EQ(heard[18], "moved 160,160 at 0.3");
    EXPECT_EQ(heard.back(), "ended 160,160 at 0.3");
    EXPECT_NEAR(std::accumulate(screen.slices.begin(), screen.slices.end(), 0.0), 0.3, 1e-9);

    // A drag of no time still moves once before lifting.
    screen.recorder->heard.clear();
    gestures::drag({0, 0}, {10, 0}, 0, screen.advance);
    EXPECT_EQ(screen.recorder->heard.size(), 3u);
}

CGPoint middle(const UIView& view) {
    const auto bounds = view.bounds();
    return view.convertPointToScreen({CGRectGetMidX(bounds), CGRectGetMidY(bounds)});
}

TEST(Gestures, ScrollMovesAPagingStripByWholePagesAndLetsItSettle) {
    Screen screen;
    auto strip = UIScrollView::create(CGRectMake(10, 400, 100, 40));
    strip->setContentSize({500, 40});
    strip->setPagingEnabled(true);
    screen.window->addSubview(strip);

    gestures::scroll(*strip, middle(*strip), 2, screen.advance);
    EXPECT_EQ(strip->contentOffset(), (CGPoint{200, 0}));
    EXPECT_FALSE(strip->isDecelerating());
    gestures::scroll(*strip, middle(*strip), -1, screen.advance);
    EXPECT_EQ(strip->contentOffset(), (CGPoint{100, 0}));
    gestures::scroll(*strip, middle(*strip), 9, screen.advance);  // no further than the last page
    EXPECT_EQ(strip->contentOffset(), (CGPoint{400, 0}));

    auto column = UIScrollView::create(CGRectMake(200, 0, 60, 100));
    column->setContentSize({60, 300});
    column->setPagingEnabled(true);
    screen.window->addSubview(column);
    gestures::scroll(*column, middle(*column), 1, screen.advance);
    EXPECT_EQ(column->contentOffset(), (CGPoint{0, 100}));
}

TEST(CompactNumber, PrintsShortAndHidesFloatNoise) {
    EXPECT_EQ(compactNumber(115), "115");
    EXPECT_EQ(compactNumber(0.5), "0.5");
    EXPECT_EQ(compactNumber(90.000003), "90");
    EXPECT_EQ(compactNumber(-0.00001), "0");
    EXPECT_EQ(compactNumber(-12.25), "-12.25");
    EXPECT_EQ(compactPoint({160, 260}), "160,260");
    EXPECT_EQ(compactRect(CGRectMake(10, 370, 74, 31)), "10,370,74,31");
}

}  // namespace
}  // namespace sim
