#pragma once

#include <functional>

#include "platform/Geometry.h"

namespace platform {
class UIScrollView;
}

// A finger on the current process's screen. Each gesture advances virtual time through
// `advance` (seconds), which runs the run loop and lets the caller look at the phone.
namespace sim::gestures {

using Advance = std::function<void(double seconds)>;

inline constexpr double kTapSeconds = 0.05;
inline constexpr double kMoveInterval = 1.0 / 60;

// Down, 0.05 s, up at one point.
void tap(platform::CGPoint point, const Advance& advance);
// Down, held for `seconds`, up.
void hold(platform::CGPoint point, double seconds, const Advance& advance);
// Down at `from`, a move every 1/60 s along the straight line, up at `to`.
void drag(platform::CGPoint from, platform::CGPoint to, double seconds, const Advance& advance);
// Drags a strip by whole pages (positive: towards later pages, the content offset growing)
// from a screen point where the strip takes the touch, then waits until it comes to rest (and
// whatever its resting makes it do, a wrap-around jump for one, has happened).
void scroll(platform::UIScrollView& strip, platform::CGPoint from, int pages,
            const Advance& advance);

}  // namespace sim::gestures
