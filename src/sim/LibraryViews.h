#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/Target.h"

namespace platform {
class UIView;
class UIWindow;
}

namespace sim {

// The library's view a target names, or null when the library has none at the moment (also
// for targets of features the library does not have yet).
// The countdown is its number (inside the countdown window), the message the latest fading
// message window on screen.
std::shared_ptr<platform::UIView> libraryView(Target target);
// The same, with the windows on screen already at hand (they tell which message is the latest).
std::shared_ptr<platform::UIView> libraryView(
    Target target, const std::vector<std::shared_ptr<platform::UIWindow>>& visibleWindows);

// How far a target's view is turned as a user sees it, in degrees: a message by its words, a
// mode button by its icon, a reticle by its lock badge, anything else by itself (the bar's
// window never turns).
double rotationOf(const platform::UIView& view);

// The file name of the framing aid's picture over the preview: "empty" for the picture view
// without a picture, "none" without the view.
std::string framingPicture();

}  // namespace sim
