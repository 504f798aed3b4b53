#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace platform {
class UIView;
class UIWindow;
}

// What a user could see of a view on the screen.
namespace sim::inspect {

// On screen: in a visible window, and neither it nor any ancestor hidden or (nearly)
// transparent.
bool isShowing(const platform::UIView& view);
// The same against the screen's visible windows, found once for many views.
bool isShowing(const platform::UIView& view,
               const std::vector<std::shared_ptr<platform::UIWindow>>& visibleWindows);

// The box around the view's bounds in screen coordinates.
platform::CGRect screenFrame(const platform::UIView& view);

// The view's centre in screen coordinates.
platform::CGPoint screenCentre(const platform::UIView& view);

// Where a finger touches the view, in screen coordinates: its centre, or when something above
// takes the touches there, the point nearest the centre where the view itself gets them.
// Nothing when the view takes touches but none reach it. A view that takes no touches of its
// own (a picture, a label) is touched at its centre, where its superviews hear the touch.
std::optional<platform::CGPoint> touchPoint(const platform::UIView& view);

// What a user sees on top at a screen point: the frontmost showing view whose bounds hold
// the point, from the highest visible window down and the deepest first. Unlike a touch, it
// stops at pictures and labels too; a window's own background does not count. Null when no
// view holds the point.
std::shared_ptr<platform::UIView> frontmostViewAt(platform::CGPoint screenPoint);

// The top left corner of the view's untransformed frame: where the view stands, whatever
// scaling or turning it shows for a moment.
platform::CGPoint standingOrigin(const platform::UIView& view);

// The view's runtime class name ("PLCameraView"), or "UIView" for a view without one.
std::string className(const platform::UIView& view);

}  // namespace sim::inspect
