#include "sim/Gestures.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/UIScreen.h"
#include "platform/ui/UIScrollView.h"

namespace sim::gestures {
namespace {

constexpr double kScrollSeconds = 0.3;
// How long a strip may take to come to rest after the finger lifts.
constexpr double kSettleSeconds = 2;

}  // namespace

void tap(platform::CGPoint point, const Advance& advance) {
    hold(point, kTapSeconds, advance);
}

void hold(platform::CGPoint point, double seconds, const Advance& advance) {
    platform::UIScreen::mainScreen().touchDown(point);
    advance(seconds);
    platform::UIScreen::mainScreen().touchUp(point);
}

void drag(platform::CGPoint from, platform::CGPoint to, double seconds, const Advance& advance) {
    auto& screen = platform::UIScreen::mainScreen();
    const int moves = std::max(1, static_cast<int>(std::lround(seconds / kMoveInterval)));
    const double interval = seconds / moves;
    screen.touchDown(from);
    for (int i = 1; i <= moves; ++i) {
        advance(interval);
        const float t = static_cast<float>(i) / static_cast<float>(moves);
        screen.touchMove({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    }
    screen.touchUp(to);
}

void scroll(platform::UIScrollView& strip, platform::CGPoint from, int pages,
            const Advance& advance) {
    const auto page = strip.bounds().size;
    const bool horizontal = strip.contentSize().width > page.width;
    const float distance = static_cast<float>(pages) * (horizontal ? page.width : page.height);
    const platform::CGPoint end = horizontal ? platform::CGPoint{from.x - distance, from.y}
                                             : platform::CGPoint{from.x, from.y - distance};
    drag(from, end, kScrollSeconds, advance);
    for (double waited = 0; strip.isDecelerating() && waited < kSettleSeconds;
         waited += platform::UIScrollView::kStepDuration) {
        advance(platform::UIScrollView::kStepDuration);
    }
}

}  // namespace sim::gestures
