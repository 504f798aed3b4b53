#include "sim/Gestures.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/UIScreen.h"

namespace sim::gestures {

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

}  // namespace sim::gestures
